// The on-screen keyboard of the main window: the keys, what they insert, and the letter case.
#include "core/settings/VelGlobals.h"
#include "gui/controls/Actions.h"
#include "gui/controls/Fonts.h"
#include "gui/controls/KeyGlyphs.h"
#include "gui/controls/Looks.h"
#include "gui/controls/MoxSpeedButton.h"
#include "gui/main/KeyTable.h"
#include "gui/main/Main.h"
#include "gui/main/UrlBox.h"
#include "platform/CapsLock.h"

#include <QApplication>

namespace {

QFont KeyFont(const char* face, int pixels) {
    return FaceFont(face, pixels, true);
}

void ApplyStyle(TMoxSpeedButton* key, KeyKind kind) {
    const char* gothic = kPGothicFace;
    const char* mincho = kPMinchoFace;
    QFont font;
    QColor fontColor = Qt::white;
    switch (kind) {
    case KeyKind::Fragment:
    case KeyKind::Letter:
    case KeyKind::Digit:
    case KeyKind::SymbolGothic:
    case KeyKind::SymbolMincho:
    case KeyKind::Ampersand:
        key->SetColor(kKeyFaceColor);
        key->SetHotTrackColor(QColor(0x6B, 0xDD, 0xFA));
        key->SetShadowColor(kKeyShadowColor);
        key->SetLightColor(Qt::white);
        key->SetFlat(false);
        fontColor = Qt::black;
        font = kind == KeyKind::Fragment                                     ? KeyFont(mincho, 16)
               : kind == KeyKind::SymbolMincho || kind == KeyKind::Ampersand ? KeyFont(mincho, 19)
                                                                             : KeyFont(gothic, 19);
        break;
    case KeyKind::EditBlue:
    case KeyKind::Clipboard:
    case KeyKind::Caret:
        key->SetColor(kWindowColor);
        key->SetHotTrackColor(kBlueHotTrackColor);
        key->SetLightColor(QColor(0xAA, 0xD9, 0xFF));
        key->SetFlat(true);
        font = KeyFont(gothic, kind == KeyKind::EditBlue ? 19 : kind == KeyKind::Clipboard ? 15 : 20);
        break;
    case KeyKind::Caps:
        key->SetColor(kWindowColor);
        key->SetHotTrackColor(kBlueHotTrackColor);
        key->SetShadowColor(kKeyShadowColor);
        key->SetLightColor(Qt::white);
        key->SetFlat(true);
        key->SetGroupIndex(1);
        key->SetAllowAllUp(true);
        font = KeyFont(gothic, 13);
        break;
    }
    key->SetColorWhenDown(kKeyDownColor);
    key->setFont(font);
    key->SetHotTrackFont(font);
    key->SetUseHotTrackFont(true);
    key->SetFontColor(fontColor);
    key->SetHotTrackFontColor(fontColor);
}

} // namespace

void TfrmMain::CreateKeys(QWidget* client) {
    const QColor highlight = QApplication::palette().color(QPalette::Highlight);
    for (const KeyDef& def : KeyTable()) {
        auto* key = new TMoxSpeedButton(client);
        const QString name = QString::fromLatin1(def.name);
        key->setObjectName(name);
        key->setGeometry(def.left, def.top, def.width, def.height);
        ApplyStyle(key, def.kind);
        if (def.kind == KeyKind::EditBlue || name == QLatin1String("sbCopy"))
            key->SetShadowColor(QColor(0x31, 0x6A, 0xC5));
        else if (def.kind == KeyKind::Clipboard || def.kind == KeyKind::Caret)
            key->SetShadowColor(highlight);
        key->SetCaption(QString::fromUtf8(def.caption));
        if (def.glyph)
            key->SetGlyph(KeyGlyph(def.glyph));
        key->SetHint(tr(def.hint));
        FKeys.insert(name, key);

        switch (def.kind) {
        case KeyKind::Letter:
            connect(key, &TMoxSpeedButton::Click, this, &TfrmMain::sbAlpha_QClick);
            break;
        case KeyKind::Digit:
            connect(key, &TMoxSpeedButton::Click, this, &TfrmMain::sbNum_3Click);
            break;
        case KeyKind::SymbolGothic:
        case KeyKind::SymbolMincho:
            connect(key, &TMoxSpeedButton::Click, this, &TfrmMain::sbHyphenClick);
            break;
        case KeyKind::Fragment:
            connect(key, &TMoxSpeedButton::Click, this, &TfrmMain::sbhttpClick);
            break;
        case KeyKind::Ampersand:
            connect(key, &TMoxSpeedButton::Click, this, &TfrmMain::sbAmpersandClick);
            break;
        case KeyKind::Caps:
            connect(key, &TMoxSpeedButton::MouseDown, this, &TfrmMain::sbCapsMouseDown);
            break;
        default:
            break;
        }
    }
    sbCaps = Key(QStringLiteral("sbCaps"));
    sbFastLeft = Key(QStringLiteral("sbFastLeft"));
    sbFastRight = Key(QStringLiteral("sbFastRight"));
}

void TfrmMain::InsertAtCaret(const QByteArray& text) {
    edURL->InsertAtCaret(text);
}

void TfrmMain::sbAlpha_QClick(TMoxSpeedButton* sender) {
    InsertAtCaret(sender->Caption().toLatin1());
}

void TfrmMain::sbNum_3Click(TMoxSpeedButton* sender) {
    InsertAtCaret(sender->Caption().toLatin1());
}

void TfrmMain::sbHyphenClick(TMoxSpeedButton* sender) {
    InsertAtCaret(sender->Caption().toLatin1());
}

void TfrmMain::sbhttpClick(TMoxSpeedButton* sender) {
    InsertAtCaret(sender->Caption().toLatin1());
}

// The caption "&&" shows one "&"; the key inserts that one character.
void TfrmMain::sbAmpersandClick(TMoxSpeedButton*) {
    InsertAtCaret("&");
}

void TfrmMain::edURLKeyDown() {
    actBrowse->Update();
    if (actBrowse->Enabled())
        actBrowse->Execute();
}

// The carriage return is never typed into the box: Enter belongs to the browse command.
void TfrmMain::edURLKeyPress(QChar& key) {
    if (key == u'\r')
        key = QChar();
}

void TfrmMain::SetLetterCase(bool upper) {
    TMoxSpeedButton* sentinel = Key(QStringLiteral("sbAlpha_Q"));
    const QString from = upper ? QStringLiteral("q") : QStringLiteral("Q");
    if (sentinel->Caption() == from) {
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            TMoxSpeedButton* key = Key(QStringLiteral("sbAlpha_") + QLatin1Char(letter));
            const QByteArray caption = key->Caption().toLatin1();
            // Only ASCII letters change case.
            key->SetCaption(QString::fromLatin1(upper ? caption.toUpper() : caption.toLower()));
        }
    }
    const QColor color = upper ? kCapsUpperColor : QColor(Qt::white);
    sbCaps->SetFontColor(color);
    sbCaps->SetHotTrackFontColor(color);
    sbCaps->SetHint(upper ? tr("小文字に切り替え") : tr("大文字に切り替え"));
}

void TfrmMain::SyncCapsFromKeyboard() {
    if (CapsLock->IsOn()) {
        if (!sbCaps->Down())
            sbCaps->SetDown(true);
        SetLetterCase(true);
    } else {
        if (sbCaps->Down())
            sbCaps->SetDown(false);
        SetLetterCase(false);
    }
}

void TfrmMain::sbCapsMouseDown(TMoxSpeedButton*) {
    if (VelGlobals::SyncCapsLock)
        CapsLock->Set(sbCaps->Down());
    else
        SetLetterCase(sbCaps->Down());
}

void TfrmMain::ApplicationEvents1Idle() {
    SyncCapsFromKeyboard();
}

void TfrmMain::ApplyIdleHook() {
    if (VelGlobals::SyncCapsLock)
        ActionList1->SetIdleHandler([this] { ApplicationEvents1Idle(); });
    else
        ActionList1->SetIdleHandler({});
}
