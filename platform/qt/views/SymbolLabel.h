#pragma once

#include <QColor>
#include <QLabel>

#include <string>

namespace platform {

class ViewNode;

// A symbol image drawn in the text colour at the height of a line of the
// label's font. It is drawn again only when the symbol, the colour or the
// size changed: a new pixmap always repaints the label, and a window whose
// views are synced every second would otherwise repaint it every second.
class SymbolLabel final : public QLabel {
public:
    explicit SymbolLabel(QWidget* parent);

    void sync(const ViewNode& image);

private:
    std::string name_;
    QColor color_;
    int size_ = 0;
};

} // namespace platform
