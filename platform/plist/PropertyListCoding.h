#pragma once

// Record coding to and from property lists: a record declares its coded fields
// once (see PropertyListCodable.h) and is encoded with PropertyListEncoder and
// decoded with PropertyListDecoder.
#include "platform/plist/PropertyListCodable.h"
#include "platform/plist/PropertyListDecoder.h"
#include "platform/plist/PropertyListEncoder.h"
