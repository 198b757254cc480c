#pragma once

#include <QPlainTextEdit>

namespace kemuyi {

// A question's explanation and the rule behind its answer, on white paper over the question
// area. Text wraps inside an 8-pixel margin and scrolls when it is longer than the panel. It
// never takes the keyboard: keys belong to the window, whose keys open and close it.
class ExplanationPanel : public QPlainTextEdit
{
    Q_OBJECT

public:
    ExplanationPanel(QWidget *parent, const char *name, const QRect &place);

    // Shows `text` from its top and raises the panel over its siblings.
    void open(const QString &text);
    void close() { hide(); }
    bool isOpen() const { return isVisible(); }
};

} // namespace kemuyi
