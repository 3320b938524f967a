// The window in another language: a catalogue that holds every text of the sources, each
// translated with its placeholders, and a German window whose words are German and fit.
#include <QComboBox>
#include <QHeaderView>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <clocale>

#include "app/Translations.h"
#include "filelist/FileListView.h"
#include "tests/support/WindowTestSupport.h"
#include "ui/MainWindowLayout.h"
#include "ui/PictureButton.h"
#include "wording/ClosingText.h"

using namespace parvane;
using namespace parvane::test;

namespace {

// "context|source" to its translation; an unfinished one counts as none.
QMap<QString, std::pair<QString, QString>> ReadCatalogue(const QString& path) {
    QFile file(path);
    QMap<QString, std::pair<QString, QString>> entries;
    if (!file.open(QIODevice::ReadOnly)) return entries;
    QXmlStreamReader xml(&file);
    QString context, source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("name")) context = xml.readElementText();
        if (xml.name() == QLatin1String("source")) source = xml.readElementText();
        if (xml.name() == QLatin1String("translation")) {
            const bool finished = xml.attributes().value(QLatin1String("type")).isEmpty();
            // A text with a count has its forms inside, one for each the language tells.
            const QString words = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            entries.insert(context + '|' + source, {source, finished ? words : QString()});
        }
    }
    return entries;
}

QStringList Placeholders(const QString& text) {
    QStringList found;
    for (const auto& match : QRegularExpression(QStringLiteral("%\\d")).globalMatch(text))
        found << match.captured();
    found.sort();
    return found;
}

}  // namespace

class TranslationTest : public QObject {
    Q_OBJECT
private slots:
    // What lupdate finds in the sources today must all be in the German catalogue, translated.
    void theGermanCatalogueTranslatesEveryText() {
        const QTemporaryDir scratch;
        const QString fresh = scratch.filePath(QStringLiteral("fresh_de.ts"));
        QProcess lupdate;
        lupdate.start(
            QStringLiteral(PARVANE_LUPDATE),
            {QStringLiteral(PARVANE_SOURCE_DIR "/app"), QStringLiteral(PARVANE_SOURCE_DIR "/ui"),
             QStringLiteral(PARVANE_SOURCE_DIR "/filelist"),
             QStringLiteral(PARVANE_SOURCE_DIR "/wording"), QStringLiteral("-silent"),
             QStringLiteral("-I"), QStringLiteral(PARVANE_SOURCE_DIR), QStringLiteral("-ts"),
             fresh});
        QVERIFY(lupdate.waitForFinished(60000));
        QCOMPARE(lupdate.exitCode(), 0);
        const auto needed = ReadCatalogue(fresh);
        const auto german =
            ReadCatalogue(QStringLiteral(PARVANE_SOURCE_DIR "/translations/parvane_de.ts"));
        QVERIFY(needed.size() >= 62);
        for (auto text = needed.begin(); text != needed.end(); ++text) {
            QVERIFY2(german.contains(text.key()), qPrintable(text.key()));
            const auto& [source, translation] = german[text.key()];
            QVERIFY2(!translation.isEmpty(), qPrintable(text.key()));
            QCOMPARE(Placeholders(translation), Placeholders(source));
        }
    }

    void aGermanWindowSpeaksGermanAndItsWordsFit() {
        QVERIFY(!InstallTranslations(*qApp, QLocale(QLocale::French, QLocale::France)));
        QVERIFY(InstallTranslations(*qApp, QLocale(QLocale::German, QLocale::Germany)));
        FormHarness harness;
        MainWindow& form = harness.Start();

        QCOMPARE(form.SplitButton()->text(), QStringLiteral("Teilen!"));
        for (PictureButton* button :
             {form.AddFilesButton(), form.AddFolderButton(), form.SplitButton()}) {
            // The caption's room below the picture, inside the bevel and the side margins.
            const QRect inside = button->rect().adjusted(6, 2, -6, -2);
            const QRect words = button->fontMetrics().boundingRect(
                inside, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, button->text());
            QVERIFY2(words.width() <= inside.width(), qPrintable(button->text()));
            QVERIFY2(words.height() <= inside.height() - kPictureSize - 1,
                     qPrintable(button->text()));
        }
        QComboBox* chooser = form.IntervalChooser();
        QCOMPARE(chooser->itemText(22), QStringLiteral("Alle 60:00 teilen"));
        QVERIFY(ChooserEntriesFit(*chooser));
        const QHeaderView* header = form.ListView()->header();
        QVERIFY(header->fontMetrics().horizontalAdvance(QStringLiteral("MP3-Datei(en)")) <
                header->sectionSize(0));

        QTest::mouseClick(form.SplitButton(), Qt::LeftButton);
        form.ListView()->AddDroppedFiles({QStringLiteral("/gone/a.mp3")});
        QTest::mouseClick(form.SplitButton(), Qt::LeftButton);
        QTRY_VERIFY(!form.IsBusy());
        QCOMPARE(harness.desktop.shown,
                 QStringList({"Keine Dateien hinzugefügt.",
                              "Fertig.\n0 Dateien vollständig geteilt, 1 nicht geteilt."}));
        QCOMPARE(harness.desktop.lines, QStringList{"/gone/a.mp3: nicht gefunden"});
    }

    // Numbers keep their decimal point under a locale that writes a comma; a count takes the
    // form its number calls for.
    void closingWordsComeFromTheCatalogue() {
        QVERIFY(InstallTranslations(*qApp, QLocale(QLocale::German, QLocale::Germany)));
        JobReport report;
        FileProblem problem = MakeProblem(FileProblem::Kind::MissingPieces);
        problem.pieces = {3};
        problem.failure = {PieceFailure::Kind::WrongLength, 0, {}, 7.214, 5.0};
        report.files.push_back({"/m/a.mp3", 2, {problem}, {}, {}});
        report.files.push_back({"/m/b.mp3", 3, {}, {}, {}});
        const bool comma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
        const ClosingText text = MakeClosingText(
            report, Translate([](const char* context, const char* english, int count) {
                return QCoreApplication::translate(context, english, nullptr, count).toStdString();
            }));
        std::setlocale(LC_NUMERIC, "C");
        QVERIFY(comma);
        QCOMPARE(text.details, "/m/a.mp3: Stück 3 ist 7.21 s lang, nicht 5 s");
        QCOMPARE(text.summary, "Fertig.\n1 Datei vollständig geteilt, 1 teilweise geteilt.");
    }
};

QTEST_MAIN(TranslationTest)
#include "TranslationTest.moc"
