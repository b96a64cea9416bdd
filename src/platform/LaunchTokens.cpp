#include "platform/LaunchTokens.h"

#include <QtGlobal>

namespace {

constexpr int kMaxTokenBytes = 200;
constexpr int kPieceBytes = 20;
const QByteArray kSwitch = QByteArrayLiteral("switch");
const QByteArray kStartupField = QByteArrayLiteral("startup=");
const QByteArray kTokenField = QByteArrayLiteral("token=");

TLaunchTokens& Kept() {
    static TLaunchTokens tokens;
    return tokens;
}

} // namespace

void KeepLaunchTokens() {
    Kept() = {AcceptedToken(qgetenv("DESKTOP_STARTUP_ID")), AcceptedToken(qgetenv("XDG_ACTIVATION_TOKEN"))};
}

const TLaunchTokens& StartLaunchTokens() {
    return Kept();
}

QByteArray AcceptedToken(const QByteArray& token) {
    if (token.isEmpty() || token.size() > kMaxTokenBytes)
        return {};
    for (const char c : token) {
        if (c < 0x21 || c > 0x7E || c == '"' || c == '\\')
            return {};
    }
    return token;
}

QByteArray FormatSwitchRequest(const TLaunchTokens& tokens) {
    QByteArray line = kSwitch;
    if (const QByteArray id = AcceptedToken(tokens.StartupId); !id.isEmpty())
        line += ' ' + kStartupField + id;
    if (const QByteArray token = AcceptedToken(tokens.ActivationToken); !token.isEmpty())
        line += ' ' + kTokenField + token;
    return line + '\n';
}

std::optional<TLaunchTokens> ParseSwitchRequest(const QByteArray& line) {
    if (line.size() > MaxSwitchLineBytes || !line.endsWith('\n'))
        return std::nullopt;
    const QByteArrayList fields = line.chopped(1).split(' ');
    if (fields.first() != kSwitch)
        return std::nullopt;
    TLaunchTokens tokens;
    for (qsizetype i = 1; i < fields.size(); ++i) {
        const QByteArray& field = fields[i];
        if (field.startsWith(kStartupField))
            tokens.StartupId = AcceptedToken(field.mid(kStartupField.size()));
        else if (field.startsWith(kTokenField))
            tokens.ActivationToken = AcceptedToken(field.mid(kTokenField.size()));
    }
    return tokens;
}

unsigned long StartupIdTime(const QByteArray& startupId) {
    const qsizetype at = startupId.lastIndexOf("_TIME");
    if (at < 0)
        return 0;
    const QByteArray digits = startupId.mid(at + 5);
    if (digits.isEmpty() || digits.size() > 10)
        return 0;
    quint64 time = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return 0;
        time = time * 10 + static_cast<quint64>(c - '0');
    }
    return time <= 0xFFFFFFFFull ? static_cast<unsigned long>(time) : 0;
}

QByteArrayList StartupMessagePieces(const QByteArray& message) {
    QByteArray bytes = message + '\0';
    bytes.append((kPieceBytes - bytes.size() % kPieceBytes) % kPieceBytes, '\0');
    QByteArrayList pieces;
    for (qsizetype at = 0; at < bytes.size(); at += kPieceBytes)
        pieces.append(bytes.mid(at, kPieceBytes));
    return pieces;
}
