"""Reading what the program played: raw 16-bit little-endian stereo frames at 44100 Hz."""
import array

RATE = 44100


def frames(data):
    samples = array.array("h")
    samples.frombytes(data[: len(data) // 4 * 4])
    return list(zip(samples[0::2], samples[1::2]))


def read_frames(path):
    with open(path, "rb") as f:
        return frames(f.read())


def match(captured, synthesized):
    """Follows the synthesised frames through the captured ones, in order from the first. Wine
    writes silent frames while no block is queued, and silence after the stream; any other frame
    is a fault. Returns how many synthesised frames were found and the first fault, or None."""
    matched = 0
    for i, frame in enumerate(captured):
        if matched < len(synthesized) and frame == synthesized[matched]:
            matched += 1
        elif frame != (0, 0):
            return matched, "captured frame %d is %s where synthesised frame %d is %s" % (
                i, frame, matched, synthesized[matched] if matched < len(synthesized) else None)
    return matched, None


def sounding(frames):
    """The frames from the first to the last one that is not silent in either channel."""
    loud = [i for i, (left, right) in enumerate(frames) if left or right]
    if not loud:
        return []
    return frames[loud[0]: loud[-1] + 1]


def frequency(samples):
    """Rising zero crossings per second over the samples, measured between the first and the
    last crossing so that partial periods at the ends do not count."""
    crossings = [i for i in range(1, len(samples)) if samples[i - 1] < 0 <= samples[i]]
    if len(crossings) < 2:
        return 0.0
    return (len(crossings) - 1) * RATE / (crossings[-1] - crossings[0])


def peak(samples):
    return max(abs(s) for s in samples) if samples else 0
