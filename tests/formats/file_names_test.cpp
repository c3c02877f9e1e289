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

TEST(FileKind, FromNameIgnoresCaseOfTheExtension) {
  struct Case {
    const char* name;
    std::optional<FileKind> kind;
  };
  for (const Case c : {
           Case{"a.mgs", FileKind::Mgs},         Case{"A.MGS", FileKind::Mgs},
           Case{"s.scr", FileKind::Scr},         Case{"s.$scr", FileKind::HobetaScr},
           Case{"S.$SCR", FileKind::HobetaScr},  Case{"g.img", FileKind::Img},
           Case{"g.$Img", FileKind::HobetaImg},  Case{"m.mg1", FileKind::Mg1},
           Case{"m.MG2", FileKind::Mg2},         Case{"m.mg4", FileKind::Mg4},
           Case{"dir.mgs/m.mg8", FileKind::Mg8}, Case{"out.Bmp", FileKind::Bmp},
           Case{"a.mg3", std::nullopt},          Case{"mgs", std::nullopt},
           Case{"a.mgs.txt", std::nullopt},      Case{"", std::nullopt},
           Case{"a.scrx", std::nullopt},
       })
    EXPECT_EQ(FileKindFromName(c.name), c.kind) << c.name;
}

TEST(FileKind, NamesAndReadCaps) {
  struct Case {
    FileKind kind;
    std::size_t cap;
  };
  for (const Case c : {Case{FileKind::Mgs, 36871}, Case{FileKind::Scr, 6912}, Case{FileKind::HobetaScr, 6929},
                       Case{FileKind::Img, 13824}, Case{FileKind::HobetaImg, 13841}, Case{FileKind::Mg1, 24832},
                       Case{FileKind::Mg2, 24832}, Case{FileKind::Mg4, 24832}, Case{FileKind::Mg8, 24832},
                       Case{FileKind::Bmp, 0}}) {
    EXPECT_EQ(MaxReadLength(c.kind), c.cap);
    EXPECT_STRNE(FileKindName(c.kind), "unknown file kind");
  }
  EXPECT_STREQ(FileKindName(FileKind::Mgs), "native .mgs");
  EXPECT_STREQ(FileKindName(FileKind::HobetaScr), "Hobeta ZX screen .$scr");
}

TEST(EmulatorPreview, FileAndLauncherFollowTheCharMode) {
  struct Case {
    int mode;
    const char* image;
    const char* launcher;
    bool mg1;
  };
  for (const Case c : {Case{1, "image.mg1", "view8x1.sh", true}, Case{2, "image.mg2", "view8x2.sh", false},
                       Case{4, "image.mg4", "view8x4.sh", false}, Case{8, "image.mg8", "view8x8.sh", false}}) {
    const std::optional<EmulatorPreview> p = EmulatorPreviewFor(c.mode);
    ASSERT_TRUE(p.has_value()) << c.mode;
    EXPECT_EQ(p->ImageName, c.image);
    EXPECT_EQ(p->LauncherName, c.launcher);
    EXPECT_EQ(p->Kind == FileKind::Mg1, c.mg1);
  }
  for (int mode : {0, 3, 5, 16, -1}) EXPECT_FALSE(EmulatorPreviewFor(mode).has_value()) << mode;
}

}  // namespace
}  // namespace chromaloom
