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

  chromaloom::Canvas Canvas() { return {Doc, Display, Tools, Colours}; }
  // Any state at all, damaged ones included; not drawn, and the undo snapshot starts empty.
  void SetPicture(const Picture& picture) { Doc = Document(picture); }
};

}  // namespace chromaloom::test_support
