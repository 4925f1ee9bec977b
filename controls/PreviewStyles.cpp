#include "controls/PreviewStyles.h"

#include "controls/GlyphPath.h"
#include "controls/Rectangle.h"
#include "platform/StyleRegistry.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QTransform>

namespace {

constexpr double Centre = TGlyphPath::DesignSize / 2;

QPainterPath Disc()
{
    QPainterPath disc;
    disc.addEllipse(QPointF(Centre, Centre), Centre, Centre);
    return disc;
}

// A bar of the given length and thickness centred on the design square,
// turned by ADegrees.
QPainterPath Bar(double ALength, double AThickness, double ADegrees)
{
    QPainterPath bar;
    bar.addRect(QRectF(-ALength / 2, -AThickness / 2, ALength, AThickness));
    QTransform turn;
    turn.translate(Centre, Centre);
    turn.rotate(ADegrees);
    return turn.map(bar);
}

// An arrow from the top-left corner towards the centre: a slanted shaft and
// a right-angled head whose tip points at the centre.
QPainterPath InwardArrow()
{
    QPainterPath shaft;
    shaft.addRect(QRectF(-34, -34, 68, 200));
    QTransform slant;
    slant.translate(84, 84);
    slant.rotate(-45);
    QPainterPath head;
    head.moveTo(228, 228);
    head.lineTo(228, 80);
    head.lineTo(80, 228);
    head.closeSubpath();
    QPainterPath arrow = slant.map(shaft).united(head);
    return arrow.simplified();
}

void BuildGlyphButton(QWidget *AStyle, const QString &APathName, TAlphaColor ADesignFill, const QPainterPath &AGlyph)
{
    auto *layout = new QHBoxLayout(AStyle);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *path = new TGlyphPath(AGlyph, ADesignFill, AStyle);
    path->setObjectName(APathName);
    layout->addWidget(path);
}

void BuildSplitter(QWidget *AStyle)
{
    auto *layout = new QHBoxLayout(AStyle);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *background = new TRectangle(AStyle, 0xFFFFFFFF);
    background->setObjectName(QStringLiteral("background"));
    background->setMaximumWidth(312);
    background->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    layout->addStretch();
    layout->addWidget(background);
    layout->addStretch();

    auto *gripLayout = new QHBoxLayout(background);
    gripLayout->setContentsMargins(0, 0, 0, 0);
    auto *grip = new TRectangle(background, 0xFFFFFFFF);
    grip->setObjectName(QStringLiteral("grip"));
    grip->setFixedSize(24, 6);
    gripLayout->addWidget(grip, 0, Qt::AlignCenter);
}

// The body colour and the background image show through the memo: no frame,
// no background of its own, 2 pixels around the text.
void BuildTransparentMemo(QWidget *AControl)
{
    auto *memo = qobject_cast<QPlainTextEdit *>(AControl);
    if (!memo)
        return;
    memo->setFrameShape(QFrame::NoFrame);
    memo->setAutoFillBackground(false);
    memo->viewport()->setAutoFillBackground(false);
    memo->document()->setDocumentMargin(2);
    QPalette palette = memo->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, Qt::transparent);
        palette.setColor(group, QPalette::Window, Qt::transparent);
        palette.setColor(group, QPalette::Text, Qt::black);
        palette.setColor(group, QPalette::Highlight, QColor::fromRgba(0x7F2A96FF));
    }
    memo->setPalette(palette);
}

} // namespace

QPainterPath TPreviewStyles::CloseGlyph()
{
    return Disc().subtracted(Bar(300, 64, 45).united(Bar(300, 64, -45)));
}

QPainterPath TPreviewStyles::FitGlyph()
{
    const QPainterPath topLeft = InwardArrow();
    QTransform halfTurn;
    halfTurn.translate(Centre, Centre);
    halfTurn.rotate(180);
    halfTurn.translate(-Centre, -Centre);
    return topLeft.united(halfTurn.map(topLeft));
}

QPainterPath TPreviewStyles::MinimizeGlyph()
{
    return Disc().subtracted(Bar(300, 64, 0));
}

void TPreviewStyles::Register()
{
    if (TStyleRegistry::Contains(QStringLiteral("CloseButtonStyle")))
        return;
    TStyleRegistry::Register(QStringLiteral("CloseButtonStyle"), [](QWidget *AStyle) {
        BuildGlyphButton(AStyle, QStringLiteral("CloseButtonPath"), 0xFFFFA0A0, CloseGlyph());
    });
    TStyleRegistry::Register(QStringLiteral("FitButtonStyle"), [](QWidget *AStyle) {
        BuildGlyphButton(AStyle, QStringLiteral("FitButtonPath"), 0xFFE8B5B5, FitGlyph());
    });
    TStyleRegistry::Register(QStringLiteral("MinimizeButtonStyle"), [](QWidget *AStyle) {
        BuildGlyphButton(AStyle, QStringLiteral("MinimizeButtonPath"), 0xFFE8B5B5, MinimizeGlyph());
    });
    TStyleRegistry::Register(QStringLiteral("SplitterImageStyle"), BuildSplitter);
    TStyleRegistry::Register(QStringLiteral("TransMemoStyle"), BuildTransparentMemo);
}
