// Marks an English text the editor shows in the user's language. The levels
// below the window carry it as it is; the window translates it by the
// context named here, and lupdate finds it by this mark. Qt defines the same
// macro the same way, so either may come first.
#pragma once

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif
