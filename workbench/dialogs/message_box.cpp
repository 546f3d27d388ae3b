#include "workbench/dialogs/message_box.h"

#include <QMessageBox>
#include <utility>

namespace workbench {
namespace {

MessageSink& sink() {
    static MessageSink current;
    return current;
}

} // namespace

void showMessage(QWidget* parent, const QString& text) {
    if (sink()) {
        sink()(parent, text);
        return;
    }
    QMessageBox::warning(parent, kApplicationTitle, text);
}

MessageSink setMessageSink(MessageSink replacement) {
    return std::exchange(sink(), std::move(replacement));
}

} // namespace workbench
