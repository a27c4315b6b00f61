// Files as the Make view receives them: from a drop (folders walked, hidden files
// skipped, names in natural order within a folder) or from a file picker.
import { naturalCompare } from './picture_rules.js';

function entryFiles(entry) {
  return new Promise((resolve) => {
    if (entry.name.startsWith('.')) return resolve([]);
    if (entry.isFile) return entry.file((f) => resolve([f]), () => resolve([]));
    const reader = entry.createReader();
    const all = [];
    const more = () => reader.readEntries(async (batch) => {
      if (!batch.length) {
        all.sort((a, b) => naturalCompare(a.name, b.name));
        const nested = [];
        for (const e of all) nested.push(...(await entryFiles(e)));
        resolve(nested);
      } else {
        all.push(...batch);
        more();
      }
    }, () => resolve([]));
    more();
  });
}

// The files of a drop event, folders included.
export async function droppedFiles(dataTransfer) {
  const entries = [...dataTransfer.items].map((i) => i.webkitGetAsEntry && i.webkitGetAsEntry()).filter(Boolean);
  if (!entries.length) return [...dataTransfer.files];
  const files = [];
  for (const e of entries) files.push(...(await entryFiles(e)));
  return files;
}

// The files of a picker, hidden files and files in hidden folders left out.
export function pickedFiles(input) {
  return [...input.files].filter((f) => !(f.webkitRelativePath || f.name).split('/').some((part) => part.startsWith('.')));
}

// The first bytes of a file, enough to tell what it holds.
export async function headOf(file, size = 64) {
  return new Uint8Array(await file.slice(0, size).arrayBuffer());
}
