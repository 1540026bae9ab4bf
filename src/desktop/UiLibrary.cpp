// The windows of the program are added to this library as they are written.
namespace qzc {
} // namespace qzc
