// Sound (PlaySoundA).
#pragma once

#include "wintypes.h"
