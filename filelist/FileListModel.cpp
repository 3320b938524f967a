#include "filelist/FileListModel.h"

#include <algorithm>
#include <functional>

namespace parvane {

FileListModel::FileListModel(QObject* parent) : QAbstractTableModel(parent) {}

void FileListModel::Append(const QString& path) {
    AppendMany(QStringList{path});
}

void FileListModel::AppendMany(const QStringList& paths) {
    if (paths.isEmpty()) return;
    beginInsertRows({}, static_cast<int>(entries_.size()),
                    static_cast<int>(entries_.size() + paths.size() - 1));
    entries_.append(paths);
    endInsertRows();
}

int FileListModel::Count() const {
    return static_cast<int>(entries_.size());
}

QString FileListModel::EntryText(int position) const {
    if (position < 1 || position > Count()) return {};
    return entries_.at(position - 1);
}

bool FileListModel::RemoveAt(int position) {
    if (position < 1 || position > Count()) return false;
    beginRemoveRows({}, position - 1, position - 1);
    entries_.removeAt(position - 1);
    endRemoveRows();
    return true;
}

void FileListModel::RemoveRows(QList<int> rows) {
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (qsizetype k = 0; k < rows.size();) {
        qsizetype run = k;
        while (run + 1 < rows.size() && rows.at(run + 1) == rows.at(run) - 1) ++run;
        const int first = rows.at(run);
        const int last = rows.at(k);
        k = run + 1;
        if (first < 0 || last >= Count()) continue;
        beginRemoveRows({}, first, last);
        entries_.remove(first, last - first + 1);
        endRemoveRows();
    }
}

void FileListModel::Move(int from, int to) {
    if (from < 1 || from > Count() || to < 1 || to > Count() || from == to) return;
    // Qt counts the destination before the move: below the entry, past the row it lands on.
    beginMoveRows({}, from - 1, from - 1, {}, to > from ? to : to - 1);
    entries_.move(from - 1, to - 1);
    endMoveRows();
}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count();
}

int FileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    if (role == Qt::DisplayRole) return entries_.at(index.row());
    // The full path is also the entry's tool tip, for when the list shows it cut. A tool tip
    // that looks like markup is drawn as markup, so the path goes in escaped, on one line.
    if (role == Qt::ToolTipRole) {
        return QStringLiteral("<p style='white-space:pre'>%1</p>")
            .arg(entries_.at(index.row()).toHtmlEscaped());
    }
    return {};
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && section == 0 && role == Qt::DisplayRole) {
        return tr("MP3 File(s)");
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

}  // namespace parvane
