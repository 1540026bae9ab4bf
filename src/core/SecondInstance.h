#pragma once

namespace qzc {

class MessageBox;
class SingleInstance;

/// The first step of start-up: true when no other QZC runs. Otherwise the director is
/// told so, the running program is asked to come to the front, and false is returned; no
/// file is touched and nothing is logged.
bool claimSingleInstance(SingleInstance& instance, MessageBox& messages);

} // namespace qzc
