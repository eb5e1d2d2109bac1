// Placeholder translation unit of the generator library.
namespace tessly_anchor { int anchor = 0; }
