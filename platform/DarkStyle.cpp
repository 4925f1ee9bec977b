#include "platform/DarkStyle.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyleFactory>

void TDarkStyle::Apply(QApplication &AApplication)
{
    Q_INIT_RESOURCE(designer);
        AApplication.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    QPalette palette;
    const QColor window(0x2b, 0x2d, 0x31);
    const QColor base(0x1e, 0x1f, 0x22);
    const QColor text(0xe6, 0xe6, 0xe6);
    const QColor disabled(0x80, 0x80, 0x80);
    const QColor highlight(0x3d, 0x7e, 0xd6);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::ToolTipBase, base);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::PlaceholderText, disabled);
    palette.setColor(QPalette::Button, QColor(0x3a, 0x3d, 0x42));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, Qt::red);
    palette.setColor(QPalette::Link, QColor(0x5c, 0xa8, 0xff));
    palette.setColor(QPalette::Highlight, highlight);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Light, QColor(0x4a, 0x4d, 0x52));
    palette.setColor(QPalette::Midlight, QColor(0x40, 0x43, 0x48));
    palette.setColor(QPalette::Mid, QColor(0x30, 0x32, 0x36));
    palette.setColor(QPalette::Dark, QColor(0x18, 0x19, 0x1b));
    palette.setColor(QPalette::Shadow, Qt::black);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabled);
    AApplication.setPalette(palette);

    QFont font = QApplication::font();
    font.setPixelSize(12);
    QApplication::setFont(font);
    // The colour fields' own face: eight hex digits in a fixed-width font.
    QFont fieldFont(QStringLiteral("MS Gothic"));
    fieldFont.setStyleHint(QFont::Monospace);
    fieldFont.setPixelSize(16);
    QApplication::setFont(fieldFont, "TColorEdit");
}
