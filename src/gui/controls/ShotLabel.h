#pragma once

#include <QColor>
#include <QFlags>
#include <QLabel>
#include <functional>

class IShellOpen;

// What a click on a TShotLabel opens.
enum class TCaptionType { ctNone, ctURL, ctMail, ctLinkToURL, ctLinkToMail };

enum class TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFontStyles)

TFontStyles FontStylesOf(const QFont& font);
void SetFontStyles(QFont& font, TFontStyles styles);

// The address a click opens: the caption (ctURL), "mailto:" and the caption (ctMail), the link target
// (ctLinkToURL) or "mailto:" and the link target (ctLinkToMail); empty when there is nothing to open.
QString ShotLabelTarget(TCaptionType type, const QString& caption, const QString& linkTo);

// A label that behaves as a hyperlink: it changes colour and style under the cursor and while pressed, and a
// click opens its address with the desktop's handler (never through a shell).
class TShotLabel final : public QLabel {
    Q_OBJECT
public:
    explicit TShotLabel(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString& value) { setText(value); }
    QString CaptionLinkTo() const { return FCaptionLinkTo; }
    void SetCaptionLinkTo(const QString& value) { FCaptionLinkTo = value; }
    TCaptionType CaptionType() const { return FCaptionType; }
    void SetCaptionType(TCaptionType value) { FCaptionType = value; }
    QColor FontColorDown() const { return FFontColorDown; }
    void SetFontColorDown(const QColor& value) { FFontColorDown = value; }
    QColor FontColorHot() const { return FFontColorHot; }
    void SetFontColorHot(const QColor& value) { FFontColorHot = value; }
    TFontStyles FontStyleDown() const { return FFontStyleDown; }
    void SetFontStyleDown(TFontStyles value) { FFontStyleDown = value; }
    TFontStyles FontStyleHot() const { return FFontStyleHot; }
    void SetFontStyleHot(TFontStyles value) { FFontStyleHot = value; }

    // The text's colour and style as shown now.
    QColor FontColor() const;
    void SetFontColor(const QColor& value);
    TFontStyles FontStyle() const { return FontStylesOf(font()); }
    void SetFontStyle(TFontStyles value);

    // Where clicks are opened; the desktop's opener unless a test puts a fake in its place.
    void SetShellOpen(IShellOpen* value) { FShellOpen = value; }

    std::function<void(TShotLabel* sender)> OnClick;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ShowAs(const QColor& color, TFontStyles styles);
    void SaveLook();
    void RestoreLook();
    void Click();

    QString FCaptionLinkTo;
    TCaptionType FCaptionType = TCaptionType::ctURL;
    QColor FFontColorDown{0xFF, 0x00, 0x00};
    QColor FFontColorHot{0xFF, 0x00, 0x00};
    TFontStyles FFontStyleDown = TFontStyle::fsUnderline;
    TFontStyles FFontStyleHot = TFontStyle::fsUnderline;
    IShellOpen* FShellOpen;
    bool FHot = false;
    bool FPressed = false;
    // The look from before the cursor came (or the press, if no entry was seen), kept until it is restored.
    bool FLookSaved = false;
    QColor FSavedColor;
    TFontStyles FSavedStyle;
};
