// NonMenuSystem::QORWidgetClass: a widget drawn as a framed dialog, with an
// optional caption over a separator line. It waits 15000 ms for a key.
#pragma once

#include <cstdint>

#include "NonMenuSystem/PanelFill.h"
#include "NonMenuSystem/WidgetClass.h"
#include "Views/Frame.h"
#include "Views/Line.h"
#include "Views/Text.h"

namespace NonMenuSystem {

class QORWidgetClass : public WidgetClass {
  VG_CLASS()

 public:
  explicit QORWidgetClass(XObject* link = nullptr);

  static constexpr int32_t QORTimeOut = 15000;
  static constexpr int32_t DefaultFrameWidth = 34;
  static constexpr int32_t CaptionHeight = 34;
  // Where the opaque edge of a frame art without a shadow lies inside its
  // bounds (Bitmaps::MediaQuickMenuBg).
  static constexpr int32_t SolidFrameEdge = 1;

  void OnSetBounds(VgRect rect) override;
  // Lays the frame, the caption and its separator out over the widget.
  void Refresh(XObject* sender = nullptr) override;
  // Solid while another screen lies under it: its owner tells it when the
  // screens change.
  void UpdateInside() override;
  // A background that is drawn covers the bounds; else the frame edges it.
  int32_t PanelEdge() const override { return background.Visible && background.Color.alpha > 0 ? 0 : FrameEdge; }

  virtual void OnSetCaption(VgString value);
  VgString OnGetCaption() const { return caption.String; }
  virtual void OnSetHasCaption(bool value);
  bool OnGetHasCaption() const { return HasCaption; }
  // The frame's border width: the widget grows or shrinks by twice the
  // change, so the inside keeps its size.
  void OnSetFrameWidth(int32_t value);
  int32_t OnGetFrameWidth() const { return FrameWidth; }

  // The first row under the caption (or the frame) where content may go, in
  // the widget's coordinates.
  int32_t ContentTop() const;
  // The row of the caption's separator line, in the widget's coordinates.
  int32_t CaptionLine() const;
  // The inside of the frame, left and right.
  int32_t ContentLeft() const;
  int32_t ContentRight() const;

  // A widget solid wherever it opens; others are solid over another screen,
  // while a dialog on its own over the picture lets a little of it show
  // through the frame's inside.
  void OnSetSolidInside(bool value);
  bool OnGetSolidInside() const { return SolidInside; }

  bool HasCaption = true;
  bool SolidInside = false;
  int32_t FrameWidth = DefaultFrameWidth;
  // Where the frame art's drawn edge lies inside the bounds: the dialog
  // frame's inside its shadow, unless another art replaces it.
  int32_t FrameEdge = PanelFill::Edge;
  PanelFill fill{this};
  Views::Frame frame{this};
  Views::Text caption{this};
  Views::Line separator{this};
};

}  // namespace NonMenuSystem
