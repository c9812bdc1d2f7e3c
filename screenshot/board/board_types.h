// The small numbers the annotation board shares with the capture window: object kinds, the
// handle hit codes of select mode, and the board events.
#pragma once

// What a drawn object is. The text object and the mosaic region keep their places here; their
// classes come with the in-place text box and the mosaic.
enum ObjectKind : int {
  kObjectNone = 0,
  kObjectRectangle = 1,
  kObjectEllipse = 2,
  kObjectArrow = 3,
  kObjectPolyline = 4,  // free-hand line
  kObjectText = 5,
  kObjectMasaiKe = 7,  // mosaic region
};

// The result of an object's handle hit test: which part of it a select-mode press grabs.
enum HitCode : int {
  kHitNone = 0,
  kHitTextArea = 1,  // inside an open text box's text
  kHitMove = 2,      // the body or the move grip
  kHitLeft = 10,
  kHitRight = 11,
  kHitTop = 12,
  kHitTopLeft = 13,  // for an arrow: its tail end
  kHitTopRight = 14,
  kHitBottom = 15,
  kHitBottomLeft = 16,
  kHitBottomRight = 17,  // for an arrow: its head end
};

// Events of CScrawlBoard::OnBoardEvent: whether undo, or redo, may have become (im)possible.
constexpr int kBoardEventUndo = 7;
constexpr int kBoardEventRedo = 8;
