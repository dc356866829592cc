#include "ui/number_input/typed_number.h"

#include "core/leading_number.h"
#include "core/number_text.h"

namespace number_input {

namespace {

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isSkipped(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

// Digits of other scripts, fullwidth digits and the Arabic decimal and thousands separators.
bool isForeignDigit(QChar c) {
    return (c.category() == QChar::Number_DecimalDigit && !isAsciiDigit(c)) || c == QChar(0x066B) ||
           c == QChar(0x066C);
}

bool hasDecimalComma(QStringView text) {
    // Runs on every keystroke in the main window: a plain scan, no pattern to compile.
    qsizetype i = 0;
    while (i < text.size() && isSkipped(text[i]))
        ++i;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (isSkipped(text[i]))
            continue;
        if (isAsciiDigit(text[i]))
            digits = true;
        else if (text[i] == QLatin1Char('.') && !point)
            point = true;
        else
            break;
    }
    return digits && i < text.size() && text[i] == QLatin1Char(',');
}

} // namespace

Misreading misreadingOf(QStringView text) {
    for (const QChar c : text) {
        if (isForeignDigit(c))
            return Misreading::ForeignDigits;
    }
    return hasDecimalComma(text) ? Misreading::DecimalComma : Misreading::None;
}

QString readingOf(QStringView text) {
    return QString::fromStdString(
        norvalis::NumberText(norvalis::LeadingNumber(text.toString().toStdString())));
}

QString refusalOf(const QString &boxName, QStringView text) {
    switch (misreadingOf(text)) {
    case Misreading::None:
        break;
    case Misreading::DecimalComma:
        return QStringLiteral("%1: \"%2\" is read as %3 \u2014 use a full stop for decimals.")
            .arg(boxName, text.toString(), readingOf(text));
    case Misreading::ForeignDigits:
        return QStringLiteral("%1: \"%2\" is read as %3 \u2014 type the digits 0 to 9, with a "
                              "full stop for decimals.")
            .arg(boxName, text.toString(), readingOf(text));
    }
    return {};
}

} // namespace number_input
