#include "about_box.h"

#include "application.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <memory>

namespace {

// The box's fonts do not exist on Linux; Liberation Sans has Arial's metrics and fits every
// text into the layout's places at the layout's pixel sizes.
QFont boxFont(int pixels, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void setBlackText(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::black);
    widget->setPalette(palette);
}

QLabel *addLabel(QWidget *parent, const char *name, const QString &text, QPoint at, int pixels,
                 bool bold)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1StringView(name));
    label->setFont(boxFont(pixels, bold));
    setBlackText(label);
    label->adjustSize();
    label->move(at);
    return label;
}

// A push button that draws its glyph 2 pixels from the left edge and centres its caption in
// the room right of the glyph; QPushButton would centre glyph and caption together.
class GlyphButton final : public QPushButton
{
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        option.text.clear();
        option.icon = QIcon();
        painter.drawControl(QStyle::CE_PushButton, option);
        const QSize glyph = iconSize();
        const QRect glyphRect(QPoint(2, (height() - glyph.height()) / 2), glyph);
        icon().paint(&painter, glyphRect, Qt::AlignCenter,
                     isEnabled() ? QIcon::Normal : QIcon::Disabled);
        painter.drawItemText(rect().adjusted(glyphRect.right() + 1, 0, 0, 0),
                             Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(), text(),
                             QPalette::ButtonText);
    }
};

} // namespace

TAboutBox::TAboutBox(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setFont(boxFont(13));
    setFixedSize(298, 213);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    // A lowered outer and a raised inner bevel: the etched look of a sunken box.
    Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Panel1->setLineWidth(1);
    Panel1->setMidLineWidth(0);
    Panel1->setGeometry(8, 8, 281, 161);

    ProgramImage = new QLabel(Panel1);
    ProgramImage->setObjectName(QStringLiteral("ProgramImage"));
    // Loaded by file name, so every showing finds the same pixmap in Qt's cache instead of
    // adding a new one.
    ProgramImage->setPixmap(QPixmap(QStringLiteral(":/tralvik.xpm")));
    ProgramImage->setScaledContents(true);
    ProgramImage->setGeometry(8, 8, 41, 41);

    Memo1 = new QPlainTextEdit(Panel1);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(96, 8, 174, 89);
    Memo1->setFont(boxFont(12));
    setBlackText(Memo1);
    Memo1->setReadOnly(true);
    // Read-only, it still takes the focus and lets the keyboard select, as a read-only edit
    // does; Enter stays in it (eventFilter) instead of pressing the default button.
    Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Memo1->setFocusPolicy(Qt::StrongFocus);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->document()->setDocumentMargin(2);
    // The blank after "RECHTHOEKIGE" and the empty last line belong to the text.
    Memo1->setPlainText(QStringLiteral("Betontechniek\n\nCONTROLEREN VAN\nRECHTHOEKIGE \n"
                                       "GEWAPENDE LIGGERS\n"));
    Memo1->installEventFilter(this);

    // At 12 pixels "NEN-EN 1992-1-1" would run into Memo1; one pixel less keeps it clear.
    Label2 = addLabel(Panel1, "Label2", QStringLiteral("NEN-EN 1992-1-1"), {3, 70}, 11, false);
    Label3 = addLabel(Panel1, "Label3", QStringLiteral("Eurocode 2"), {3, 86}, 11, false);
    Version = addLabel(Panel1, "Version", QStringLiteral("Quorvel"), {96, 104}, 12, true);
    Copyright =
        addLabel(Panel1, "Copyright", QStringLiteral("\u00a9 2026 Tralvik"), {96, 120}, 12, true);

    OKButton = new GlyphButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(111, 178, 77, 27);
    OKButton->setFont(boxFont(12, true));
    setBlackText(OKButton);
    OKButton->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton, nullptr, OKButton));
    OKButton->setDefault(true);
    OKButton->setAutoDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    setTabOrder(Memo1, OKButton);
    OKButton->setFocus();

    FormCreate();
}

void TAboutBox::FormCreate()
{
    // Both positions are those of the outer frames; the screen's edges are not considered.
    if (QWidget *owner = parentWidget())
        move(owner->window()->pos() + offset);
}

void TAboutBox::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TAboutBox::FormClose()
{
    // Not deleteLater(): Qt runs a deferred deletion as soon as events are processed outside
    // the event that asked for it, which can be before exec() has returned, and showAboutBox
    // would then destroy the box a second time.
    m_closeAction = CloseAction::Free;
}

void TAboutBox::keyPressEvent(QKeyEvent *event)
{
    // The box has no cancel button: Escape does nothing.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TAboutBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Memo1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void showAboutBox(QWidget *owner)
{
    // Created for this showing and destroyed here, exactly once, when the modal display ends.
    const auto box = std::make_unique<TAboutBox>(owner);
    box->exec();
}
