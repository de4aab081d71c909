#pragma once

#include <QDialog>

#include "platform/graphics.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace sob::qt {

// The font picker: name, style (regular, bold, italic, bold italic) and
// size, with a sample; no colour, underline or strike-out. For the input
// line's font it offers the size 8 alone. (Qt's own font dialog maps the
// styles of some families oddly, e.g. a regular face to "Oblique", and
// offers effects the program has no place for.)
class FontChooser : public QDialog {
    Q_OBJECT
public:
    FontChooser(const Font& initial, bool onlySize8, QWidget* parent = nullptr);

    // The font chosen, with everything but name, size and style from base.
    Font chosen(const Font& base) const;

    // The lists (tests pick from them).
    QListWidget* familyList() const { return families_; }
    QListWidget* styleList() const { return styles_; }
    QListWidget* sizeList() const { return sizes_; }
    QLineEdit* sizeEdit() const { return sizeEdit_; }

private:
    void familyTyped(const QString& text);
    void updateSample();

    QLineEdit* familyEdit_;
    QListWidget* families_;
    QListWidget* styles_;
    QLineEdit* sizeEdit_;
    QListWidget* sizes_;
    QLabel* sample_;
    bool onlySize8_;
};

}  // namespace sob::qt
