#include "platform/message_box.h"

#include "platform/app_info.h"

#include <QAbstractButton>

namespace platform {

void messageBox(QWidget *parent, const QString &text) {
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.exec();
}

QMessageBox::StandardButton ask(QWidget *parent, const QString &text,
                                const std::vector<Answer> &answers) {
    QMessageBox box(parent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setWindowTitle(applicationTitle());
    box.setIcon(QMessageBox::Question);
    box.setText(text);
    for (const Answer &answer : answers) {
        box.addButton(answer.button);
        if (!answer.caption.isEmpty())
            box.button(answer.button)->setText(answer.caption);
    }
    // Enter takes the careful answer, as Escape does.
    box.setDefaultButton(answers.back().button);
    box.setEscapeButton(box.button(answers.back().button));
    box.exec();
    QAbstractButton *chosen = box.clickedButton();
    const auto button = chosen ? box.standardButton(chosen) : answers.back().button;
    return button == QMessageBox::NoButton ? answers.back().button : button;
}

ChangedFileChoice askAboutChangedFile(QWidget *parent, const QString &what, const QString &path) {
    using Button = QMessageBox::StandardButton;
    const Button answer =
        ask(parent,
            QStringLiteral("The settings file was changed by another program (or another Norvalis "
                           "window) since it was read, so %1 were not stored.\n\n"
                           "Reload shows what the file holds now, and your changes here are "
                           "dropped. Store Anyway replaces what the other program stored with your "
                           "changes.\n\nFile: %2")
                .arg(what, path),
            {{Button::Reset, QStringLiteral("&Reload")},
             {Button::Save, QStringLiteral("Store &Anyway")},
             {Button::Cancel, {}}});
    if (answer == Button::Reset)
        return ChangedFileChoice::Reload;
    return answer == Button::Save ? ChangedFileChoice::StoreAnyway : ChangedFileChoice::Cancel;
}

} // namespace platform
