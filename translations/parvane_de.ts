<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AddCommands</name>
    <message>
        <source>Add File(s) - Use Ctrl &amp; Shift to select multiple files</source>
        <translation>Datei(en) hinzufügen – mehrere mit Strg und Umschalt wählen</translation>
    </message>
    <message>
        <source>MP3 Files (*.mp3 *.MP3)</source>
        <translation>MP3-Dateien (*.mp3 *.MP3)</translation>
    </message>
    <message>
        <source>Please select folder to add:</source>
        <translation>Bitte den Ordner wählen, der hinzugefügt werden soll:</translation>
    </message>
</context>
<context>
    <name>ClosingText</name>
    <message>
        <source>No files added.</source>
        <translation>Keine Dateien hinzugefügt.</translation>
    </message>
    <message>
        <source>the splitter wrote nothing</source>
        <translation>der Splitter hat nichts geschrieben</translation>
    </message>
    <message>
        <source>the splitter failed with exit status %1</source>
        <translation>der Splitter ist mit Exit-Status %1 gescheitert</translation>
    </message>
    <message>
        <source>the splitter was killed (%1)</source>
        <translation>der Splitter wurde beendet (%1)</translation>
    </message>
    <message>
        <source>the splitter wrote no MP3 audio like the source&apos;s</source>
        <translation>der Splitter hat kein MP3-Audio wie das der Quelle geschrieben</translation>
    </message>
    <message>
        <source>%1 s long, not %2 s</source>
        <translation>%1 s lang, nicht %2 s</translation>
    </message>
    <message>
        <source>its track number could not be written</source>
        <translation>seine Titelnummer konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>No space left on device</source>
        <translation>Kein Platz mehr auf dem Gerät</translation>
    </message>
    <message>
        <source>piece %1 is %2</source>
        <translation>Stück %1 ist %2</translation>
    </message>
    <message>
        <source>pieces %1 are %2</source>
        <translation>Stücke %1 sind %2</translation>
    </message>
    <message>
        <source>missing pieces %1 (%2)</source>
        <translation>fehlende Stücke %1 (%2)</translation>
    </message>
    <message>
        <source>no piece length chosen</source>
        <translation>keine Stücklänge gewählt</translation>
    </message>
    <message>
        <source>empty file name</source>
        <translation>leerer Dateiname</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>nicht gefunden</translation>
    </message>
    <message>
        <source>not a file</source>
        <translation>keine Datei</translation>
    </message>
    <message>
        <source>not an MP3 file</source>
        <translation>keine MP3-Datei</translation>
    </message>
    <message>
        <source>not an MP3 file (%1)</source>
        <translation>keine MP3-Datei (%1)</translation>
    </message>
    <message>
        <source>piece name taken by a listed file: %1</source>
        <translation>Name eines Stücks gehört einer Datei der Liste: %1</translation>
    </message>
    <message>
        <source>changed during the split</source>
        <translation>während des Teilens geändert</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>; </source>
        <translation>; </translation>
    </message>
    <message>
        <source>%1: older pieces remain: %2</source>
        <translation>%1: ältere Stücke bleiben: %2</translation>
    </message>
    <message>
        <source>%1: older pieces remain: %2, %3</source>
        <translation>%1: ältere Stücke bleiben: %2, %3</translation>
    </message>
    <message>
        <source>%1: older pieces remain: %2 to %3</source>
        <translation>%1: ältere Stücke bleiben: %2 bis %3</translation>
    </message>
    <message>
        <source>%1 (%2 bytes)</source>
        <translation>%1 (%2 Bytes)</translation>
    </message>
    <message>
        <source>%1: damaged audio passed over at %2</source>
        <translation>%1: beschädigtes Audio übersprungen bei %2</translation>
    </message>
    <message>
        <source>Nothing was split.</source>
        <translation>Nichts wurde geteilt.</translation>
    </message>
    <message>
        <source>Split completely before that: %1.</source>
        <translation>Davor vollständig geteilt: %1.</translation>
    </message>
    <message>
        <source>The splitter %1 was not found. Looked for %2 and for %1 on PATH (%3). Install the Debian package mp3splt.</source>
        <translation>Der Splitter %1 wurde nicht gefunden. Gesucht wurde %2 und %1 im PATH (%3). Bitte das Debian-Paket mp3splt installieren.</translation>
    </message>
    <message>
        <source>The splitter %1 could not be started (%2). Splitting was stopped.</source>
        <translation>Der Splitter %1 konnte nicht gestartet werden (%2). Das Teilen wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Fertig.</translation>
    </message>
    <message>
        <source>the splitter&apos;s end could not be awaited (%1)</source>
        <translation>auf das Ende des Splitters konnte nicht gewartet werden (%1)</translation>
    </message>
    <message>
        <source>cannot be put in place (%1)</source>
        <translation>kann nicht an seinen Platz gelegt werden (%1)</translation>
    </message>
    <message>
        <source>cannot be read (%1)</source>
        <translation>kann nicht gelesen werden (%1)</translation>
    </message>
    <message>
        <source>cannot write into its folder (%1)</source>
        <translation>kann nicht in ihren Ordner schreiben (%1)</translation>
    </message>
    <message>
        <source>cannot be put in place (%1); the file that had its name is kept as %2</source>
        <translation>kann nicht an seinen Platz gelegt werden (%1); die Datei, die seinen Namen trug, liegt jetzt unter %2</translation>
    </message>
    <message>
        <source>%1: the name is taken by a file that is not a piece of %2; it was kept</source>
        <translation>%1: Der Name gehört einer Datei, die kein Stück von %2 ist; sie wurde behalten</translation>
    </message>
    <message>
        <source>being split by another job</source>
        <translation>wird gerade von einem anderen Auftrag geteilt</translation>
    </message>
    <message>
        <source>internal error: %1</source>
        <translation>interner Fehler: %1</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>angehalten</translation>
    </message>
    <message>
        <source>not split (stopped)</source>
        <translation>nicht geteilt (angehalten)</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>Angehalten.</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) split completely</source>
        <translation>
            <numerusform>%n Datei vollständig geteilt</numerusform>
            <numerusform>%n Dateien vollständig geteilt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n split in part</source>
        <translation>
            <numerusform>%n teilweise geteilt</numerusform>
            <numerusform>%n teilweise geteilt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n not split</source>
        <translation>
            <numerusform>%n nicht geteilt</numerusform>
            <numerusform>%n nicht geteilt</numerusform>
        </translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 kHz mono</source>
        <translation>%1 kHz mono</translation>
    </message>
    <message>
        <source>%1 kHz stereo</source>
        <translation>%1 kHz stereo</translation>
    </message>
    <message>
        <source>changes from %1 to %2 at %3; the splitter cannot cut across the change</source>
        <translation>wechselt bei %3 von %1 zu %2; der Splitter kann nicht über den Wechsel hinweg schneiden</translation>
    </message>
    <message>
        <source>free-format MP3, which the splitter cannot cut</source>
        <translation>MP3 im freien Format, das der Splitter nicht schneiden kann</translation>
    </message>
    <message>
        <source>the path is too long</source>
        <translation>der Pfad ist zu lang</translation>
    </message>
    <message>
        <source>stopped before piece %1</source>
        <translation>vor Stück %1 angehalten</translation>
    </message>
    <message>
        <source>%1: %2 bytes of zeros after the audio, passed over</source>
        <translation>%1: %2 Bytes Nullen nach dem Audio übersprungen</translation>
    </message>
    <message>
        <source>%1: %2 bytes that are not audio after the audio, passed over</source>
        <translation>%1: %2 Bytes, die kein Audio sind, nach dem Audio übersprungen</translation>
    </message>
    <message>
        <source>Split in part before that: %1.</source>
        <translation>Davor teilweise geteilt: %1.</translation>
    </message>
    <message>
        <source>the source&apos;s tags could not be written into it</source>
        <translation>die Tags der Quelle konnten nicht hineingeschrieben werden</translation>
    </message>
</context>
<context>
    <name>ContentKind</name>
    <message>
        <source>MPEG layer %1 audio</source>
        <translation>MPEG-Layer-%1-Audio</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>leer</translation>
    </message>
    <message>
        <source>text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>WAVE audio</source>
        <translation>WAVE-Audio</translation>
    </message>
    <message>
        <source>AIFF audio</source>
        <translation>AIFF-Audio</translation>
    </message>
    <message>
        <source>FLAC audio</source>
        <translation>FLAC-Audio</translation>
    </message>
    <message>
        <source>Ogg audio</source>
        <translation>Ogg-Audio</translation>
    </message>
    <message>
        <source>AAC audio</source>
        <translation>AAC-Audio</translation>
    </message>
    <message>
        <source>MPEG-4 audio</source>
        <translation>MPEG-4-Audio</translation>
    </message>
    <message>
        <source>MPEG-4 video</source>
        <translation>MPEG-4-Video</translation>
    </message>
    <message>
        <source>JPEG picture</source>
        <translation>JPEG-Bild</translation>
    </message>
    <message>
        <source>PNG picture</source>
        <translation>PNG-Bild</translation>
    </message>
</context>
<context>
    <name>parvane::FileListModel</name>
    <message>
        <source>MP3 File(s)</source>
        <translation>MP3-Datei(en)</translation>
    </message>
</context>
<context>
    <name>parvane::JobProgressBar</name>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>File %1 of %2: %3</source>
        <translation>Datei %1 von %2: %3</translation>
    </message>
    <message>
        <source>%1, piece %2</source>
        <translation>%1, Stück %2</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>%1, piece %2 of %3</source>
        <translation>%1, Stück %2 von %3</translation>
    </message>
</context>
<context>
    <name>parvane::MainWindow</name>
    <message>
        <source>Split Every %1</source>
        <translation>Alle %1 teilen</translation>
    </message>
    <message>
        <source>Left out 1 piece of the files found there</source>
        <translation>1 Stück der dort gefundenen Dateien ausgelassen</translation>
    </message>
    <message>
        <source>Left out %1 pieces of the files found there</source>
        <translation>%1 Stücke der dort gefundenen Dateien ausgelassen</translation>
    </message>
    <message>
        <source>Add MP3 File(s)</source>
        <translation>MP3-Datei(en) hinzufügen</translation>
    </message>
    <message>
        <source>Split!</source>
        <translation>Teilen!</translation>
    </message>
    <message>
        <source>Add All MP3 File(s) In Folder</source>
        <translation>Alle MP3-Dateien im Ordner hinzufügen</translation>
    </message>
    <message>
        <source>Drag and drop files here. Double-click item to remove it. Move bar to right and out of window to reveal full names.</source>
        <translation>Dateien hierher ziehen und ablegen. Doppelklick auf einen Eintrag entfernt ihn. Den Balken nach rechts aus dem Fenster ziehen, um ganze Namen zu sehen.</translation>
    </message>
    <message>
        <source>Show Pieces</source>
        <translation>Stücke zeigen</translation>
    </message>
    <message>
        <source>No MP3 files in %1</source>
        <translation>Keine MP3-Dateien in %1</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Stop splitting (Esc)</source>
        <translation>Teilen anhalten (Esc)</translation>
    </message>
    <message>
        <source>internal error: %1</source>
        <translation>interner Fehler: %1</translation>
    </message>
</context>
</TS>
