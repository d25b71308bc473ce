// The library-wide window state that needs no platform types.
#include "vitrum_core.h"

namespace Vitrum {

std::int32_t SETTYPECURSOR = 0;
std::int32_t SETTYPEICON = 0;
const char* CURSORFILE = nullptr;
const char* ICONFILE = nullptr;
const char* SETTITLENAME = nullptr;
std::int32_t WIDTH = 0;
std::int32_t HEIGHT = 0;
std::int32_t BITS = 0;
bool FULLSCREEN = false;
bool ACTIVE = false;
void (*CREATEMENUBAR)() = nullptr;
void (*CREATEMOUSEMENU)() = nullptr;
bool SHOWMENUBAR = false;
bool SHOWSTATUSBAR = false;
TFILENAME FILENAME;
TTABLE<std::int32_t, 1, 20, "STATUSITEM"> STATUSITEM;
TTABLE<std::int32_t, 1, 20, "EDGES"> EDGES;
std::int32_t MAXSTATUSITEM = 0;
#define VITRUM_TEXT(x) #x
#define VITRUM_NUMBER_TEXT(x) VITRUM_TEXT(x)
const char* VITRUMVERSION = VITRUM_NUMBER_TEXT(VITRUM_VERSION_MAJOR) "." VITRUM_NUMBER_TEXT(VITRUM_VERSION_MINOR);
std::uint32_t OBJNULL = 0;
bool FOGONOFF = false;
std::uint32_t START = 0;
std::int32_t FUNCTIONERROR = 0;
std::int32_t IFORMAT = 0;
std::string BMPTYPE;

void GLRESIZEWINDOW(std::int32_t W, std::int32_t H) {
  WIDTH = W;
  HEIGHT = H;
}

}  // namespace Vitrum
