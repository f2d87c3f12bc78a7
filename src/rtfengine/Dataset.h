// The engine's view of tabular data: an ordered set of rows with typed fields.
// Callers adapt their own data access to these interfaces; the engine never opens
// or closes a dataset, it only walks it from First to Eof and reads field values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace rtfengine {

// A calendar date and time of day, as the data layer hands it over.
struct DateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;

    bool operator==(const DateTime&) const = default;
};

enum class FieldKind {
    Boolean,  // yes/no values
    Date,     // a date without time of day
    DateTime, // a date with time of day
    Graphic,  // a picture stored as bytes
    Other,    // text, numbers and everything else
};

class Field {
public:
    virtual ~Field() = default;

    virtual std::string name() const = 0;
    virtual FieldKind kind() const = 0;
    virtual bool isNull() const = 0;

    // The value as display text. Dates and date-times come in the system's short
    // date form (and time form), as FormatSettings::current() describes them.
    virtual std::string asString() const = 0;
    virtual double asFloat() const = 0;
    virtual bool asBoolean() const = 0;
    virtual DateTime asDateTime() const = 0;
    // Whether a date or date-time value reads as a date, so that asDateTime() gives
    // it. A stored text that is no date is no date-time either: asString() shows it as
    // it stands. A blank value is no date. Data layers whose date values are always
    // dates keep this default.
    virtual bool holdsDate() const { return !isNull(); }
    // The value when the data layer holds it as a finite number, to be formatted
    // exactly as its text asString() would read back; nothing otherwise. Numeric
    // formats use it to skip writing the number out and reading it in again.
    virtual std::optional<double> storedNumber() const { return std::nullopt; }
    // The raw bytes of the value (picture data for graphic fields).
    virtual std::string asBytes() const = 0;
};

class Dataset {
public:
    virtual ~Dataset() = default;

    // The component name; templates may use it as an alias.
    virtual std::string name() const = 0;

    virtual void first() = 0;
    virtual void next() = 0;
    virtual bool eof() const = 0;

    virtual int fieldCount() const = 0;
    virtual Field& field(int index) = 0;

    // Data-aware controls are detached while the engine walks a dataset. The calls
    // nest: every disableControls is undone by one enableControls.
    virtual void disableControls() = 0;
    virtual void enableControls() = 0;
    virtual bool controlsDisabled() const = 0;
};

} // namespace rtfengine
