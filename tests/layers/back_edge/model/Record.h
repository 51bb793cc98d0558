#pragma once
#include "platform/Text.h"
