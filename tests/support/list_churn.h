// The two additional lists that the interrupted-write test and its writer
// process alternate between: long enough that a write takes a while, and
// different in length so that any mixture of the two shows.
#pragma once

#include "catalogue/screensaver.h"

const char kChurnReadyEvent[] = "NorvaneListChurnReady";

CStringArray ChurnList(int which);
std::string ChurnListBytes(int which);
