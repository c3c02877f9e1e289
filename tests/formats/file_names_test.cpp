#include "formats/file_names.h"

#include <gtest/gtest.h>

namespace chromaloom {
namespace {

TEST(ForceExtension, AppendsUnlessTheNameEndsInExactlyTheExtension) {
  struct Case {
    const char* name;
    const char* ext;
    const char* expected;
  };
  for (const Case c : {
           Case{"picture", ".mgs", "picture.mgs"},
           Case{"picture.mgs", ".mgs", "picture.mgs"},
           Case{"picture.MGS", ".mgs", "picture.MGS.mgs"},  // case-sensitive
           Case{"picture.mg", ".mgs", "picture.mg.mgs"},
           Case{"x.mgs", ".mgs", "x.mgs"},
           Case{"a.bmp", ".mgs", "a.bmp.mgs"},
           Case{"abcde", ".bmp", "abcde.bmp"},
           Case{"/home/zx/pics/dither", ".mg4", "/home/zx/pics/dither.mg4"},
           Case{"/home/zx/pics/d.mg4", ".mg4", "/home/zx/pics/d.mg4"},
           // 4 characters or fewer: unchanged, even without the extension
           Case{".mgs", ".mgs", ".mgs"},
           Case{"abcd", ".mgs", "abcd"},
           Case{"a", ".img", "a"},
           Case{"", ".img", ""},
           // Characters, not bytes: "ÿÿÿÿ" is 4 characters in 8 bytes.
           Case{"\xc3\xbf\xc3\xbf\xc3\xbf\xc3\xbf", ".mgs", "\xc3\xbf\xc3\xbf\xc3\xbf\xc3\xbf"},
           Case{"\xc3\xbf\xc3\xbf\xc3\xbf\xc3\xbf\xc3\xbf", ".mgs", "\xc3\xbf\xc3\xbf\xc3\xbf\xc3\xbf\xc3\xbf.mgs"},
           Case{"\xd0\xb6.mgs", ".mgs", "\xd0\xb6.mgs"},
           Case{"\xe6\x97\xa5\xe6\x9c\xac.bmp", ".bmp", "\xe6\x97\xa5\xe6\x9c\xac.bmp"},
       })
    EXPECT_EQ(ForceExtension(c.name, c.ext), c.expected) << "name \"" << c.name << "\" ext " << c.ext;
}

// One snapshot serves every cell height; the launcher names the mode.
TEST(EmulatorPreview, LauncherFollowsTheCellHeight) {
  struct Case {
    int mode;
    const char* launcher;
  };
  for (const Case c : {Case{1, "view8x1.sh"}, Case{2, "view8x2.sh"}, Case{4, "view8x4.sh"}, Case{8, "view8x8.sh"}}) {
    const std::optional<EmulatorPreview> p = EmulatorPreviewFor(c.mode);
    ASSERT_TRUE(p.has_value()) << c.mode;
    EXPECT_EQ(p->ImageName, "image.z80");
    EXPECT_EQ(p->LauncherName, c.launcher);
    EXPECT_EQ(p->Kind, FileKind::Z80);
  }
  for (int mode : {0, 3, 5, 16, -1}) EXPECT_FALSE(EmulatorPreviewFor(mode).has_value()) << mode;
}

}  // namespace
}  // namespace chromaloom
