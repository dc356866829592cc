#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStringList>

namespace periodstest {

inline QString boxName(int index) {
    return QStringLiteral("INPUT_PERIOD_%1").arg(index);
}

// The box texts joined by '|', empty boxes at the end left out.
inline QString boxTexts(const QDialog *dialog) {
    QStringList texts;
    for (int i = 1; i <= 12; ++i)
        texts << dialog->findChild<QLineEdit *>(boxName(i))->text();
    return texts.join('|').remove(QRegularExpression("\\|+$"));
}

} // namespace periodstest
