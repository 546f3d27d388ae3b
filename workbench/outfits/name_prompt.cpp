// The stamp-name question (see name_prompt.h).

#include "workbench/outfits/name_prompt.h"

#include <QInputDialog>
#include <utility>

namespace workbench {
namespace {

NamePrompt& prompt() {
    static NamePrompt current;
    return current;
}

} // namespace

NamePrompt setNamePrompt(NamePrompt replacement) {
    return std::exchange(prompt(), std::move(replacement));
}

std::optional<QString> askStampName(QWidget* parent, const QString& title, const QString& suggested) {
    if (prompt()) return prompt()(parent, title, suggested);
    bool ok = false;
    const QString name =
        QInputDialog::getText(parent, title, QStringLiteral("Name:"), QLineEdit::Normal, suggested, &ok);
    if (!ok) return std::nullopt;
    return name;
}

} // namespace workbench
