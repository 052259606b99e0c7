// The game's built-in pictures (tile faces, path pieces, clock, about picture), each drawn
// once for the screen's device pixel ratio, faces when they first show.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <array>
#include <bitset>

namespace tilvara::ui {

// Faces keep transparent corners outside the rounded tile, so the window's background shows
// between tiles. The path pieces and the clock bar do not change along their length: draw
// them stretched with QPainter::drawPixmap(QRectF target, piece, QRectF(piece.rect())) (the
// source rectangle counts device pixels) or in a QLabel with setScaledContents(true).
class Artwork {
public:
    static constexpr int Kinds = 36;

    // Renders the pictures for this device pixel ratio (e.g. 1, 1.25, 2): pixmaps have
    // size = logical size * dpr and setDevicePixelRatio(dpr), so they are crisp, never upscaled.
    explicit Artwork(qreal devicePixelRatio);
    qreal devicePixelRatio() const { return dpr_; }
    // kind 1..36; kind 0 (or out of range) returns a null QPixmap (an empty cell shows nothing).
    // A reference stays valid until keepFaces() drops that face.
    const QPixmap& face(int kind, bool highlighted) const;  // 39 x 49 logical
    // Bit k stands for kind k.
    using KindSet = std::bitset<Kinds + 1>;
    // Drops every face but the normal ones of the kinds on the board (in either look) and the
    // highlighted ones of the kinds shown highlighted, so the faces held follow the board.
    void keepFaces(const KindSet& shown, const KindSet& highlighted);
    int heldFaces() const;  // normal and highlighted faces drawn and not dropped
    const QPixmap& horizontalPiece() const { return horizontal_; }  // 8 x 7 logical
    const QPixmap& verticalPiece() const { return vertical_; }      // 7 x 8 logical
    const QPixmap& clockBacking() const { return backing_; }        // 306 x 21 logical
    const QPixmap& clockBar() const { return bar_; }  // 43 x 16 logical, stretched to any width
    const QPixmap& aboutPicture() const;              // 39 x 49 logical tile face
    // From assets/icons/tilvara.svg, drawn afresh for each size and device pixel ratio asked.
    static QIcon applicationIcon();
    // What a kind's picture shows, as the player would call it; "" for an empty cell.
    static QString pictureName(int kind);

private:
    qreal dpr_;
    // Element 0 stays null: it stands for the empty cell and for any kind out of range.
    mutable std::array<QPixmap, Kinds + 1> normal_;
    mutable std::array<QPixmap, Kinds + 1> highlighted_;
    mutable QImage body_;  // the bare tile under every face
    QPixmap horizontal_, vertical_, backing_, bar_;
};

}  // namespace tilvara::ui
