// Shared test support; most helpers are header-only.
namespace qzc::test {} // namespace qzc::test
