#include "support/fake_host.h"
