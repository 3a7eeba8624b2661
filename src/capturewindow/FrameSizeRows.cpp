#include "capturewindow/FrameSizeRows.h"

namespace capturewindow {

std::vector<ResolutionLabel> MakeResolutionLabelTable() {
  return {
      {5376, 4032, u"21MP"},    {4912, 3680, u"18MP"},  {4480, 3360, u"15MP"},
      {4224, 3000, u"12MP"},    {3856, 2764, u"10MP"},  {3664, 2744, u"10MP"},
      {3264, 2448, u"8MP"},     {3840, 2160, u"8MP"},   {2592, 1944, u"5MP"},
      {2112, 1568, u"3.3MP"},   {2048, 1536, u"3MP"},   {1920, 1080, u"HD-1080"},
      {1600, 1200, u"2MP"},     {1280, 1024, u"1.3MP"}, {1280, 720, u"HD-720"},
      {1024, 768, u"SVGA"},     {800, 600, u"SVGA"},    {640, 480, u"VGA"},
  };
}

std::vector<int> MakeDpiList() { return {300, 260, 250, 200, 100}; }

}  // namespace capturewindow
