#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <array>

// The atoms the clipboard watch speaks with.
enum class TXName
{
    Clipboard,
    Targets,
    Incr,
    Utf8String,
    TextPlainUtf8,
    String,
    PasswordHint,
    Count
};

// What the clipboard watch learns from its X connection, in plain values.
struct TXSelectionEvent
{
    enum class TKind
    {
        Other,
        OwnerChanged, // owner, time: the selection's new owner (0 for none) and its time
        Converted,    // target, property (0 when refused), time: an answer to a conversion
        PropertyNew   // property: a new value of a property of our window
    };
    TKind kind = TKind::Other;
    quint64 owner = 0;
    quint64 time = 0;
    quint32 target = 0;
    quint32 property = 0;
};

// A property's value, or only its type and size.
struct TXPropertyValue
{
    quint32 type = 0; // 0 when the property does not exist
    int format = 0;
    QByteArray bytes; // format 32 as one quint32 per item
    qint64 bytesAfter = 0;
};

// The requests a selection transfer makes, so that it can run without a display.
class TSelectionLink
{
public:
    virtual ~TSelectionLink() = default;
    virtual quint32 Name(TXName name) const = 0;
    // Asks the CLIPBOARD's owner to put `target` into our window's `property`.
    virtual void Convert(quint32 target, quint32 property, quint64 time) = 0;
    // At most `maxBytes` of the property's value (none: its type and size only).
    virtual TXPropertyValue Read(quint32 property, qint64 maxBytes) = 0;
    virtual void Delete(quint32 property) = 0;
};

// An X connection of the program's own, to the display Qt uses, with one unmapped window whose
// properties receive the CLIPBOARD's contents, and XFixes notices of the CLIPBOARD's owners.
class TXSelection : public TSelectionLink
{
public:
    static constexpr int kPropertyCount = 8;

    TXSelection();
    ~TXSelection() override;
    TXSelection(const TXSelection&) = delete;
    TXSelection& operator=(const TXSelection&) = delete;

    bool IsValid() const { return window != 0; }
    int FileDescriptor() const;
    // The properties of our window that transfers take turns with.
    quint32 Property(int index) const { return properties[index]; }
    quint32 Name(TXName name) const override { return names[static_cast<int>(name)]; }
    void Convert(quint32 target, quint32 property, quint64 time) override;
    TXPropertyValue Read(quint32 property, qint64 maxBytes) override;
    void Delete(quint32 property) override;
    // The next event, read from the connection if need be; false when none is waiting. Requests
    // wait in a buffer until Flush.
    bool Next(TXSelectionEvent& event);
    void Flush();

private:
    bool Open();

    void* display = nullptr; // Xlib's Display, which no header may name
    quint64 window = 0;
    int fixesEventBase = 0;
    std::array<quint32, static_cast<int>(TXName::Count)> names{};
    std::array<quint32, kPropertyCount> properties{};
};
