#pragma once

#include <QString>
#include <QStringView>

// What the person meant and what the program reads can differ in ways the reading itself
// cannot see: every box that takes a number looks for these before it uses or stores one.
namespace number_input {

enum class Misreading {
    None,
    DecimalComma,  // "7,5": the comma ends the number, so it reads as 7
    ForeignDigits, // "١٢٠", "１２", "12٫5": only 0-9 and the full stop are read
};

// The first misreading in the text, if any. A comma counts only straight after the digits
// (blanks aside, as the reading skips them): "7,5" and "7 ,5", not "7 g, 5 min".
Misreading misreadingOf(QStringView text);

// The number the text is read as, in the program's own writing ("7" for "7,5").
QString readingOf(QStringView text);

// The refusal for a dialog's box: "Pen step: "1,5" is read as 1 — use a full stop for
// decimals." An empty text for a box without a misreading.
QString refusalOf(const QString &boxName, QStringView text);

} // namespace number_input
