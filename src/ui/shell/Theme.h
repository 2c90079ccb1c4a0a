#pragma once

class QApplication;

namespace vorlane::ui {

// The one look of the whole program: the Song face for 宋体, the palette and the style sheet.
// Applied once at start-up, so that every window made later inherits it.
void applyTheme(QApplication &app);

// Maps 宋体 and SimSun to an installed Song face; applyTheme does this too.
void mapSongFont();

namespace theme {
// Colours that painted widgets share with the style sheet.
inline constexpr unsigned Ink = 0x1f2d3d;
inline constexpr unsigned Navy = 0x2f5d8a;
inline constexpr unsigned NavyDark = 0x1e3f61;
inline constexpr unsigned Paper = 0xf6f3ec;
inline constexpr unsigned Cinnabar = 0xb8452f;
inline constexpr unsigned Gold = 0xd9a441;
} // namespace theme

} // namespace vorlane::ui
