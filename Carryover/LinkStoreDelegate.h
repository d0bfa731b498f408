#pragma once

namespace Carryover {

// What the link store asks of whoever shows it.
class LinkStoreDelegate {
public:
    virtual ~LinkStoreDelegate() = default;

    // The list sizes changed (or may have): refresh the title and tooltip.
    virtual void updateIcon() = 0;
    // A link was just added.
    virtual void playDropSound() = 0;
};

} // namespace Carryover
