// Shows a file in the desktop's file manager, its folder open and the file picked out.
// Replaceable so tests can see what would be shown.
#pragma once

#include <QString>

namespace parvane {

class FileShower {
public:
    virtual ~FileShower() = default;
    virtual void Show(const QString& path) = 0;
};

// Asks the file manager over the session bus, the desktops' common way to show an item;
// where none answers, the desktop opens the file's folder. Does not wait for either.
class DesktopFileShower final : public FileShower {
public:
    void Show(const QString& path) override;
};

}  // namespace parvane
