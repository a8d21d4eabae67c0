#include "app/screen_text.h"

#include <cstdarg>
#include <cstdio>

namespace vek {

void drawFormattedText(BITMAP* target, int x, int y, int colour, const char* format, ...) {
  char text[256];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  textout_ex(target, font, text, x, y, colour, -1);
}

}  // namespace vek
