#include "editors/TDbDateEdit.h"

#include <QCalendarWidget>
#include <QDateTime>
#include <QLocale>

namespace editors {

QDate storedDate(const QVariant& value) {
    if (value.typeId() == QMetaType::QDate)
        return value.toDate();
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().date();
    return QDate::fromString(value.toString().left(10), Qt::ISODate);
}

QString fourDigitYearFormat(const QString& format) {
    QString result;
    for (qsizetype i = 0; i < format.size();) {
        if (format[i] == QLatin1Char('\'')) { // quoted literal text is copied as it stands
            const qsizetype end = format.indexOf(QLatin1Char('\''), i + 1);
            const qsizetype stop = end < 0 ? format.size() : end + 1;
            result += format.mid(i, stop - i);
            i = stop;
            continue;
        }
        if (format[i] != QLatin1Char('y')) {
            result += format[i++];
            continue;
        }
        while (i < format.size() && format[i] == QLatin1Char('y'))
            ++i;
        result += QLatin1String("yyyy");
    }
    return result;
}

namespace {

void writeDate(DataBinding* binding, QDate date) {
    binding->write(date.toString(Qt::ISODate));
}

} // namespace

TDbDateEdit::TDbDateEdit(QWidget* parent)
    : QDateEdit(parent),
      m_binding(new DataBinding(this, {[this](const QVariant& value) {
                                           const QDate date = storedDate(value);
                                           setDate(date.isValid() ? date : QDate::currentDate());
                                       },
                                       [this](bool readOnly) { setReadOnly(readOnly); }})) {
    setMinimumDate(QDate(100, 1, 1));
    setDisplayFormat(fourDigitYearFormat(QLocale().dateFormat(QLocale::ShortFormat)));
    setCalendarPopup(true);
    connect(this, &QDateEdit::dateChanged, m_binding,
            [this](QDate date) { writeDate(m_binding, date); });
    // Picking the day already shown (today, on an empty field) is a choice too.
    connect(calendarWidget(), &QCalendarWidget::clicked, m_binding,
            [this](QDate date) { writeDate(m_binding, date); });
}

} // namespace editors
