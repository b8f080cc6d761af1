#pragma once

namespace platform {

// "Discard your changes?", Yes or No, asked when an editor is closed after a change;
// true on Yes.
bool confirmDiscard();

} // namespace platform
