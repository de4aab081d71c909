#include "qt/about_view.h"

#include <algorithm>
#include <string>

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

#include "aids/about_form.h"
#include "qt/qt_convert.h"

// The resource lives in a static library: it is registered by hand.
static void initAboutPicture() {
    Q_INIT_RESOURCE(about_picture);
}

namespace sob::qt {

namespace {

// The picture, built into the program as a Qt resource (data/about.bmp).
constexpr const char* kPictureResource = ":/about.bmp";

QFrame* makePanel(const Control& model, QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromStdString(model.name()));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return panel;
}

}  // namespace

AboutView::AboutView(FrontEnd& frontEnd, TForm3& form)
    : QWidget(nullptr), FormView(frontEnd, form), form3_(form) {
    setObjectName("Form3");
    applyWindowFlags(this, false);
    setAttribute(Qt::WA_QuitOnClose, false);

    panel1_ = makePanel(form3_.Panel1, this);
    panel1Binding_ = std::make_unique<ControlBinding>(form3_.Panel1, panel1_, QPalette::Window);

    bevel_ = new QFrame(panel1_);
    bevel_->setObjectName("Bevel1");
    bevel_->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevelBinding_ = std::make_unique<ControlBinding>(form3_.Bevel1, bevel_);

    image_ = new QLabel(panel1_);
    image_->setObjectName("Image1");
    image_->setScaledContents(form3_.Image1.stretch);
    imageBinding_ = std::make_unique<ControlBinding>(form3_.Image1, image_);
    loadPicture();

    label_ = new QLabel(panel1_);
    label_->setObjectName("Label1");
    labelBinding_ = std::make_unique<LabelBinding>(form3_.Label1, label_);

    auto* history = new QPushButton(panel1_);
    history->setObjectName("Button1");
    historyButton_ = new ButtonBinding(frontEnd, form3_.Button1, history);
    auto* close = new QPushButton(panel1_);
    close->setObjectName("Button2");
    closeButton_ = new ButtonBinding(frontEnd, form3_.Button2, close);

    panel2_ = makePanel(form3_.Panel2, this);
    panel2Binding_ = std::make_unique<ControlBinding>(form3_.Panel2, panel2_, QPalette::Window);

    memo_ = new QPlainTextEdit(panel2_);
    memo_->setObjectName("Memo1");
    memo_->setReadOnly(form3_.Memo1.readOnly);
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    const Qt::ScrollBarPolicy bars =
        form3_.Memo1.scrollBars ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded;
    memo_->setHorizontalScrollBarPolicy(bars);
    memo_->setVerticalScrollBarPolicy(bars);
    memoBinding_ =
        std::make_unique<ControlBinding>(form3_.Memo1, memo_, QPalette::Base, QPalette::Text);
    // The pointer over the text, not the I-beam of an editor.
    memo_->viewport()->setCursor(toQtCursor(form3_.Memo1.cursor));

    sync();
}

AboutView::~AboutView() = default;

void AboutView::loadPicture() {
    initAboutPicture();
    QPixmap picture;
    if (picture.load(QString::fromLatin1(kPictureResource))) image_->setPixmap(picture);
}

void AboutView::sync() {
    syncWindow();
    panel1Binding_->sync();
    bevelBinding_->sync();
    imageBinding_->sync();
    labelBinding_->sync();
    historyButton_->sync();
    closeButton_->sync();
    panel2Binding_->sync();
    memoBinding_->sync();
    syncHistory();
}

// The collapsed window cuts the history panel off just below the buttons.
int AboutView::clientHeight() const {
    return std::max(form3_.bounds.height - originalFrameHeight, 1);
}

void AboutView::syncHistory() {
    const PhraseList& lines = form3_.Memo1.Lines;
    if (historyShown_ && lines.revision() == historyRevision_) return;
    historyShown_ = true;
    historyRevision_ = lines.revision();
    std::string text;
    for (std::size_t i = 0; i < lines.entries().size(); ++i) {
        if (i > 0) text += '\n';
        text += lines.entries()[i];
    }
    memo_->setPlainText(fromProgramText(text));
}

void AboutView::closeEvent(QCloseEvent* event) {
    handleCloseEvent(event);
}

}  // namespace sob::qt
