// Sanitizer settings built into both fuzz targets, so that a crashing input replays the same
// way when a target is run by hand.

// The tools check every allocation and fail cleanly when one is refused, as the system may
// refuse one for a huge image: an allocation over 512 MiB is refused here, so that path is
// exercised instead of being reported as running out of memory.
extern "C" const char* __asan_default_options()
{
    return "allocator_may_return_null=1:max_allocation_size_mb=512";
}

extern "C" const char* __ubsan_default_options()
{
    return "print_stacktrace=1";
}
