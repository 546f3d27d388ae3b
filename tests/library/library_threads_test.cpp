// Many threads asking one library for pictures at once, as a batch of skins made in parallel
// does: each picture is decoded once, and every thread gets that one picture, as shipped.

#include <gtest/gtest.h>

#include <array>
#include <latch>
#include <thread>
#include <vector>

#include "core/codec/bmp.h"
#include "core/library/image_library.h"

namespace {

using core::ImageId;
using core::ImageLibrary;

constexpr int kThreads = 8;

// What each thread asks for, in its own order: all of them first want the same picture (the
// 24-bit imgBimbo, the slowest to decode), then a mask, a body and an accessory that differ
// between neighbours and repeat across the threads.
std::vector<ImageId> requestsOf(int thread) {
    constexpr std::array<ImageId, 3> masks = {ImageId::imgBikini, ImageId::imgCorset, ImageId::imgPJs4};
    constexpr std::array<ImageId, 2> bodies = {ImageId::imgMedBody, ImageId::imgMaleDark};
    constexpr std::array<ImageId, 2> accessories = {ImageId::imgGoldRing, ImageId::imgBlackSneakers};
    std::vector<ImageId> ids = {ImageId::imgBimbo, masks[thread % 3], bodies[thread % 2],
                                accessories[thread / 2 % 2]};
    if (thread % 2) std::swap(ids[1], ids[3]);
    return ids;
}

TEST(LibraryThreads, EveryThreadGetsThePictureDecodedOnce) {
    // A few rounds on fresh libraries, so that the threads meet on a picture being decoded more
    // than once.
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        ImageLibrary library;
        std::array<std::array<const core::Picture*, core::kImageCount>, kThreads> seen{};
        std::latch start(kThreads);
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([&, t] {
                start.arrive_and_wait();
                for (ImageId id : requestsOf(t))
                    seen[t][int(id)] = &library.picture(id);
            });
        for (std::thread& thread : threads)
            thread.join();

        int asked = 0;
        for (int i = 0; i < core::kImageCount; ++i) {
            const ImageId id = ImageId(i);
            const core::Picture* first = nullptr;
            for (int t = 0; t < kThreads; ++t) {
                if (seen[t][i] == nullptr) continue;
                if (first == nullptr) first = seen[t][i];
                EXPECT_EQ(seen[t][i], first) << core::imageName(id) << " in thread " << t;
            }
            if (first == nullptr) {
                EXPECT_FALSE(library.isDecoded(id)) << core::imageName(id);
                continue;
            }
            ++asked;
            EXPECT_EQ(&library.picture(id), first) << core::imageName(id);
            EXPECT_TRUE(*first == core::decodeBmp(core::embeddedBmp(id)).value()) << core::imageName(id);
        }
        EXPECT_EQ(asked, 8); // imgBimbo, three masks, two bodies, two accessories
        EXPECT_EQ(library.decodedPictureCount(), asked);
    }
}

} // namespace
