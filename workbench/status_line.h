#pragma once
// The status line: one line of text below the classic client area, across the window's whole
// width, where the window says briefly what a command did ("Saved skin2.bmp, 8-bit, ...").
// The classic area and every control in it stay where they are; the window grows by the
// line's height. A message too long for the line is elided in the middle, the whole text then
// its tooltip.

#include <QLabel>
#include <QRect>
#include <QString>

namespace workbench {

class StatusLine : public QLabel {
    Q_OBJECT
  public:
    // The line `statusLine` on window, right below the classic client area, which lies at
    // classicArea in the window.
    StatusLine(QWidget* window, QRect classicArea);

    // Says message, until something else is said; empty clears the line.
    void say(const QString& message);
    // What was said last, whole.
    const QString& message() const { return m_message; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void fit(); // the message elided to the line's width

    QString m_message;
};

} // namespace workbench
