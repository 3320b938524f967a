// The ordered list of source paths that a split job works through, as the list view
// shows it: one column, each entry's text its full path, duplicates allowed.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>

namespace parvane {

class FileListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit FileListModel(QObject* parent = nullptr);

    void Append(const QString& path);
    void AppendMany(const QStringList& paths);
    int Count() const;
    QString EntryText(int position) const;  // 1-based
    const QStringList& Entries() const { return entries_; }
    bool RemoveAt(int position);  // 1-based; false when out of range
    // Rows, 0-based as the view counts them, in any order; each run of neighbours at once.
    void RemoveRows(QList<int> rows);
    // Takes the entry out and puts it back at `to`; the entries between close up in their
    // order. Both 1-based; out of range does nothing.
    void Move(int from, int to);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList entries_;
};

}  // namespace parvane
