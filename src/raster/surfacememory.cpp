#include "surfacememory.h"

#include <cstddef>
#include <cstdint>
#include <mutex>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace kansu {

namespace {

#if defined(MADV_HUGEPAGE)

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kAlignment = 64; // a cache line, and more than a scanline needs
constexpr int kLargestSide = 1 << 15;  // larger images are left to the toolkit

constexpr std::size_t roundUp(std::size_t value, std::size_t step) {
    return (value + step - 1) / step * step;
}

// Memory mapped in whole huge pages and handed out from front to back. It is
// given back to the system when the last image in it goes.
struct Chunk {
    std::byte* base;
    std::size_t size;
    std::size_t used = 0;
    int images = 0;
};

std::mutex chunkMutex;
Chunk* openChunk = nullptr; // where the next image goes, while it fits

Chunk* mapChunk(std::size_t bytes) {
    const std::size_t size = roundUp(bytes, kHugePage);
    // Map one huge page more than needed and trim, so that the chunk starts
    // on a huge-page boundary.
    void* mapped =
        mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        return nullptr;
    auto* const start = static_cast<std::byte*>(mapped);
    const auto address = reinterpret_cast<std::uintptr_t>(start);
    const std::size_t head = roundUp(address, kHugePage) - address;
    if (head > 0)
        munmap(start, head);
    munmap(start + head + size, kHugePage - head);
    madvise(start + head, size, MADV_HUGEPAGE); // advice only: ignored where unsupported
    return new Chunk{start + head, size};
}

void releaseImage(void* info) {
    auto* const chunk = static_cast<Chunk*>(info);
    const std::lock_guard lock(chunkMutex);
    if (--chunk->images > 0)
        return;
    if (chunk == openChunk)
        openChunk = nullptr;
    munmap(chunk->base, chunk->size);
    delete chunk;
}

#endif

} // namespace

QImage surfaceImage(QSize size, QImage::Format format) {
#if defined(MADV_HUGEPAGE)
    const int bitsPerPixel = QImage::toPixelFormat(format).bitsPerPixel();
    // Empty and enormous images, and unknown formats, are the toolkit's own.
    const bool ours = !size.isEmpty() && size.width() <= kLargestSide &&
                      size.height() <= kLargestSide && bitsPerPixel > 0;
    if (ours) {
        const std::size_t bytesPerLine = // whole 32-bit words
            roundUp(std::size_t(size.width()) * std::size_t(bitsPerPixel), 32) / 8;
        const std::size_t bytes = roundUp(bytesPerLine * std::size_t(size.height()), kAlignment);
        const std::lock_guard lock(chunkMutex);
        // A full chunk stays mapped until its last image goes.
        if (!openChunk || openChunk->size - openChunk->used < bytes)
            openChunk = mapChunk(bytes);
        if (openChunk) {
            std::byte* const pixels = openChunk->base + openChunk->used;
            openChunk->used += bytes;
            ++openChunk->images;
            return QImage(reinterpret_cast<uchar*>(pixels), size.width(), size.height(),
                          qsizetype(bytesPerLine), format, releaseImage, openChunk);
        }
    }
#endif
    return QImage(size, format);
}

} // namespace kansu
