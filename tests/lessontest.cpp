#include "lessontest.h"
