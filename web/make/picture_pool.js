// Runs picture conversions in workers, one per core (two to four), one picture each at
// a time, in the order asked; a cancelled run drops what is waiting and ignores what
// comes back.
const kWorkers = Math.min(4, Math.max(2, navigator.hardwareConcurrency || 2));

export class PicturePool {
  constructor(url = new URL('./picture_worker.js', import.meta.url)) {
    this.url = url;
    this.workers = [];
    this.waiting = [];
    this.pending = new Map();
    this.nextId = 1;
  }

  // How many jobs run at once.
  get size() {
    return kWorkers;
  }

  // Resolves with the worker's answer for one job (see picture_worker.js).
  run(job) {
    return new Promise((resolve) => {
      this.waiting.push({ job: { ...job, id: this.nextId++ }, resolve });
      this.pump();
    });
  }

  cancel() {
    for (const { resolve } of this.waiting) resolve({ cancelled: true });
    this.waiting = [];
    for (const [, { resolve, worker }] of this.pending) {
      resolve({ cancelled: true });
      worker.terminate();
      this.workers = this.workers.filter((w) => w !== worker);
    }
    this.pending.clear();
  }

  // Starts every worker now, so they load while the files are still being looked at.
  warm() {
    while (this.workers.length < kWorkers) this.spawn();
  }

  spawn() {
    const worker = new Worker(this.url);
    worker.onmessage = ({ data }) => this.done(data);
    worker.onerror = (e) => {
      for (const [id, p] of this.pending) if (p.worker === worker) this.done({ id, error: 'failed', message: e.message });
    };
    this.workers.push(worker);
    return worker;
  }

  pump() {
    while (this.waiting.length) {
      const busy = new Set([...this.pending.values()].map((p) => p.worker));
      let worker = this.workers.find((w) => !busy.has(w));
      if (!worker && this.workers.length < kWorkers) worker = this.spawn();
      if (!worker) return;
      const { job, resolve } = this.waiting.shift();
      this.pending.set(job.id, { resolve, worker });
      worker.postMessage(job);
    }
  }

  done(data) {
    const p = this.pending.get(data.id);
    if (!p) return;
    this.pending.delete(data.id);
    p.resolve(data);
    this.pump();
  }
}
