#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <exception>
#include <memory>

// A settings file could not be read or written. Message() is the text the user is shown.
class EFileError final : public std::exception {
public:
    explicit EFileError(QString message);
    const QString& Message() const { return FMessage; }
    const char* what() const noexcept override { return FUtf8.constData(); }

private:
    QString FMessage;
    QByteArray FUtf8;
};

// An in-memory ordered ini store over a code page 932 file with CR LF line ends. Opening reads the
// whole file; Release writes the whole file back (atomically). Section and key names match without
// regard to ASCII letter case; where a name occurs twice, lookups find the last one.
class TQuickIni final {
public:
    // Reads fileName when it exists. Throws EFileError("ファイル %s は開けません") when it exists but
    // cannot be read.
    explicit TQuickIni(const QString& fileName);
    // A store over a file's bytes held in memory, as the file constructor reads them; it has no file name
    // and AutoUpdate is off. FileImage() gives the bytes back.
    static TQuickIni FromBytes(QByteArray bytes);
    ~TQuickIni();
    TQuickIni(const TQuickIni&) = delete;
    TQuickIni& operator=(const TQuickIni&) = delete;
    TQuickIni(TQuickIni&&) noexcept;
    TQuickIni& operator=(TQuickIni&&) noexcept;

    const QString& FileName() const;

    QByteArray ReadString(const QByteArray& section, const QByteArray& key, const QByteArray& def) const;
    // A section name that the file would not give back as itself (blanks or control bytes at its ends, a
    // lone lead byte at its end) is refused: nothing is written, as by WriteList.
    void WriteString(const QByteArray& section, const QByteArray& key, const QByteArray& value);
    qint32 ReadInteger(const QByteArray& section, const QByteArray& key, qint32 def) const;
    void WriteInteger(const QByteArray& section, const QByteArray& key, qint32 value);
    bool ReadBool(const QByteArray& section, const QByteArray& key, bool def) const;
    void WriteBool(const QByteArray& section, const QByteArray& key, bool value);

    bool SectionExists(const QByteArray& section) const;
    void EraseSection(const QByteArray& section);
    void Clear();

    void ReadList(const QByteArray& section, QList<QByteArray>& list) const;
    void WriteList(const QByteArray& section, const QList<QByteArray>& list);

    const QByteArray& Header() const;
    void SetHeader(const QByteArray& text);
    const QByteArray& Footer() const;
    void SetFooter(const QByteArray& text);

    bool AutoUpdate() const;
    void SetAutoUpdate(bool value);

    // The whole file as UpdateFile writes it.
    QByteArray FileImage() const;
    // Writes the file. Throws EFileError("ファイル %s を作成できません") when it cannot be created.
    void UpdateFile();
    // Releasing the store: UpdateFile when AutoUpdate is set, at most once. The destructor does not
    // write; callers release explicitly so that a failure can be reported.
    void Release();

private:
    TQuickIni();
    struct Impl;
    std::unique_ptr<Impl> d;
};
