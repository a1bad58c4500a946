#include "base/date.h"
