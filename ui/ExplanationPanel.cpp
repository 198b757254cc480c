#include "ExplanationPanel.h"

#include "Accessibility.h"
#include "Fonts.h"

#include <QScrollBar>

namespace kemuyi {

ExplanationPanel::ExplanationPanel(QWidget *parent, const char *name, const QRect &place)
    : QPlainTextEdit(parent)
{
    setObjectName(QLatin1String(name));
    setGeometry(place);
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFont(pixelFont(QStringLiteral("宋体"), 16));
    setFrameShape(QFrame::Box);
    document()->setDocumentMargin(8);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    setPalette(palette);
    describe(this, QStringLiteral("解析"), QStringLiteral("本题的解析和依据（E键或Esc键关闭）"));
    hide();
}

void ExplanationPanel::open(const QString &text)
{
    setPlainText(text);
    verticalScrollBar()->setValue(0);
    show();
    raise();
}

} // namespace kemuyi
