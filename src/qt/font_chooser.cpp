#include "qt/font_chooser.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "qt/qt_convert.h"

namespace sob::qt {

namespace {

// The four styles, in the order the list shows them.
constexpr int styleValues[] = {FontStyle::Regular, FontStyle::Italic, FontStyle::Bold,
                               FontStyle::Bold | FontStyle::Italic};
const char* const styleNames[] = {"Обычный", "Курсив", "Полужирный", "Полужирный курсив"};
constexpr int sizeValues[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

void selectText(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchFixedString);
    if (found.isEmpty()) {
        list->clearSelection();
        return;
    }
    list->setCurrentItem(found.front());
    list->scrollToItem(found.front(), QAbstractItemView::PositionAtTop);
}

}  // namespace

FontChooser::FontChooser(const Font& initial, bool onlySize8, QWidget* parent)
    : QDialog(parent), onlySize8_(onlySize8) {
    setWindowTitle(QString::fromUtf8("Шрифт"));
    setObjectName("sob_font_dialog");

    familyEdit_ = new QLineEdit(this);
    families_ = new QListWidget(this);
    QStringList names = QFontDatabase::families();
    const QString initialName = fromProgramText(initial.name);
    // A font the desktop lacks ("MS Sans Serif") is still offered under its
    // own name, so that confirming without a change keeps it.
    if (!initialName.isEmpty() && !names.contains(initialName, Qt::CaseInsensitive))
        names << initialName;
    names.sort(Qt::CaseInsensitive);
    families_->addItems(names);

    styles_ = new QListWidget(this);
    for (const char* name : styleNames) styles_->addItem(QString::fromUtf8(name));

    sizeEdit_ = new QLineEdit(this);
    sizeEdit_->setValidator(new QIntValidator(1, 999, sizeEdit_));
    sizes_ = new QListWidget(this);
    if (onlySize8_) {
        sizes_->addItem("8");
        sizeEdit_->setReadOnly(true);
    } else {
        for (int size : sizeValues) sizes_->addItem(QString::number(size));
    }

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QString::fromUtf8("Шрифт:"), this), 0, 0);
    grid->addWidget(new QLabel(QString::fromUtf8("Начертание:"), this), 0, 1);
    grid->addWidget(new QLabel(QString::fromUtf8("Размер:"), this), 0, 2);
    grid->addWidget(familyEdit_, 1, 0);
    auto* styleEdit = new QLineEdit(this);
    styleEdit->setReadOnly(true);
    grid->addWidget(styleEdit, 1, 1);
    grid->addWidget(sizeEdit_, 1, 2);
    grid->addWidget(families_, 2, 0);
    grid->addWidget(styles_, 2, 1);
    grid->addWidget(sizes_, 2, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 1);

    auto* sampleBox = new QGroupBox(QString::fromUtf8("Образец"), this);
    sample_ = new QLabel(QString::fromUtf8("АаБбВвЯя AaBbYyZz"), sampleBox);
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setMinimumHeight(60);
    auto* sampleLayout = new QVBoxLayout(sampleBox);
    sampleLayout->addWidget(sample_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(sampleBox);
    layout->addWidget(buttons);

    connect(familyEdit_, &QLineEdit::textEdited, this, &FontChooser::familyTyped);
    connect(families_, &QListWidget::currentTextChanged, this, [this](const QString& name) {
        if (familyEdit_->text() != name && !familyEdit_->hasFocus()) familyEdit_->setText(name);
        updateSample();
    });
    connect(styles_, &QListWidget::currentTextChanged, this,
            [this, styleEdit](const QString& name) {
                styleEdit->setText(name);
                updateSample();
            });
    connect(sizes_, &QListWidget::currentTextChanged, this, [this](const QString& size) {
        if (sizeEdit_->text() != size) sizeEdit_->setText(size);
        updateSample();
    });
    connect(sizeEdit_, &QLineEdit::textEdited, this, [this](const QString& size) {
        selectText(sizes_, size);
        updateSample();
    });

    familyEdit_->setText(initialName);
    selectText(families_, initialName);
    int styleRow = 0;
    const int wanted = initial.style & (FontStyle::Bold | FontStyle::Italic);
    for (int i = 0; i < 4; ++i)
        if (styleValues[i] == wanted) styleRow = i;
    styles_->setCurrentRow(styleRow);
    const QString size = QString::number(onlySize8_ ? 8 : initial.size);
    sizeEdit_->setText(size);
    selectText(sizes_, size);
    updateSample();
    resize(460, 360);
}

void FontChooser::familyTyped(const QString& text) {
    // Typing a name selects the first font that begins with it.
    for (int i = 0; i < families_->count(); ++i) {
        if (families_->item(i)->text().startsWith(text, Qt::CaseInsensitive)) {
            families_->setCurrentRow(i);
            families_->scrollToItem(families_->item(i), QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

Font FontChooser::chosen(const Font& base) const {
    Font font = base;
    if (QListWidgetItem* item = families_->currentItem()) font.name = toProgramText(item->text());
    const int row = styles_->currentRow();
    const int style = row >= 0 && row < 4 ? styleValues[row] : FontStyle::Regular;
    font.style = style;  // no underline, no strike-out
    bool number = false;
    const int size = sizeEdit_->text().toInt(&number);
    font.size = onlySize8_ ? 8 : (number && size > 0 ? size : base.size);
    return font;
}

void FontChooser::updateSample() {
    const Font font = chosen(Font{});
    sample_->setFont(toQFont(font));
}

}  // namespace sob::qt
