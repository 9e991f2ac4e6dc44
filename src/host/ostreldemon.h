#pragma once

// The host-integration unit: the component, its message protocol and its queries.
#include "host/customdemon.h"
#include "host/demonclient.h"
#include "host/elexivo.h"
#include "host/entity.h"
#include "host/hostnames.h"
#include "host/messagestream.h"
#include "host/messagetypes.h"
