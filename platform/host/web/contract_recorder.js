// The contract page's ears, on the audio thread: each render quantum of the mix goes on to the
// speakers as it came and to the page as 16-bit samples, with about the frame it began at (the
// browser's count may be a quantum off now and then).
class Recorder extends AudioWorkletProcessor {
    process(inputs, outputs) {
        const mix = inputs[0][0], out = outputs[0][0];
        const samples = new Int16Array(out.length);
        if (mix) {
            out.set(mix);
            for (let i = 0; i < mix.length; i++)
                samples[i] = Math.max(-32768, Math.min(32767, Math.round(mix[i] * 32768)));
        }
        this.port.postMessage({ frame: currentFrame, samples }, [samples.buffer]);
        return true;
    }
}
registerProcessor('recorder', Recorder);
