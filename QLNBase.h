// QLNBase: everything a report object includes.
#pragma once
#include "QLNBaseLibrary.h"
