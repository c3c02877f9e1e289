// The editor as the window holds it, one of each state object, for tests
// that drive several operations on one picture.
#pragma once

#include "editing/canvas_tools.h"
#include "editing/clipboard.h"
#include "editing/colour_corrector.h"
#include "editing/colour_pickers.h"
#include "editing/tool_state.h"
#include "picture/document.h"
#include "render/view.h"

namespace chromaloom::test_support {

struct EditingFixture {
  Document Doc;  // before Display, which watches its picture
  View Display{Doc.Picture()};
  ToolState Tools;
  Pickers Colours;
  PickerImages Images;
  PictureClipboard Clipboard;
  CorrectorState Corrector;

  EditingFixture() = default;
  explicit EditingFixture(const Picture& picture) : Doc(picture) {}

  chromaloom::Canvas Canvas() { return {Doc, Tools, Colours, Display.Scale(), Display.Mixing()}; }
  // What the window does before it paints: the places the document
  // changed rendered, the tools' overlay drawn over them.
  void Present() {
    Display.Render.RenderTouched(Doc.TakeTouched());
    Display.ShowOverlay(
        CanvasOverlay(Doc.Picture(), Tools, Colours, Display.Mixing(), Display.Scale(), Doc.ValidCellHeight()));
  }
  // A change of the picture the tools know nothing of, as one step.
  template <typename Edit>
  void EditPicture(Edit edit) {
    Change change(Doc, "Change");
    edit(change);
    change.Commit();
  }
  // Any state at all, damaged ones included; not drawn, and the undo snapshot starts empty.
  void SetPicture(const Picture& picture) { Doc = Document(picture); }
};

}  // namespace chromaloom::test_support
