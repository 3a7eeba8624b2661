// What a settings source may include.
#include <string>
#include <tinyxml.h>

#include "localisation/TextCut.h"
#include "platform/Os.h"
#include "resource.h"
#include "settings/SessionSettings.h"
