// Any bytes as the stored value of each program's store: decoding gives a
// record or nothing, and a record encodes to bytes that decode to it again.
#include "Carryover/Store.h"
#include "DawnList/DawnList.h"
#include "Hourtrail/Store.h"
#include "Pricetray/Store.h"
#include "Zivirodevevo/Affirmation.h"

#include "platform/plist/PropertyListDecoder.h"
#include "platform/plist/PropertyListEncoder.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

template <class Record>
void roundTrip(const platform::Data& input) {
    const auto record = platform::PropertyListDecoder::decode<Record>(input);
    if (!record) {
        return;
    }
    const auto again = platform::PropertyListDecoder::decode<Record>(platform::PropertyListEncoder::encode(*record));
    if (!again) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const platform::Data input(bytes, bytes + size);
    roundTrip<Carryover::Store>(input);
    roundTrip<Hourtrail::Store>(input);
    roundTrip<Pricetray::Cart>(input);
    roundTrip<std::vector<Zivirodevevo::Affirmation>>(input);
    roundTrip<std::vector<DawnList::DawnList>>(input);
    return 0;
}
