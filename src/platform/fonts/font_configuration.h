#pragma once

namespace klemvar {

// Reads the desktop's font configuration: fontconfig's files and its font
// caches, the longest single step before a window with text can be laid out.
// It needs no application object and may run on any thread; Qt's font
// database later takes the configuration as read.
void ReadFontConfiguration();

}  // namespace klemvar
