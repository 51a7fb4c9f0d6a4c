"""Reading what the program played: raw 16-bit little-endian stereo frames at 44100 Hz."""
import array

RATE = 44100


def read_frames(path):
    samples = array.array("h")
    with open(path, "rb") as f:
        data = f.read()
    samples.frombytes(data[: len(data) // 4 * 4])
    return list(zip(samples[0::2], samples[1::2]))


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
